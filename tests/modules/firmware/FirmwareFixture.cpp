#include "FirmwareFixture.h"

std::unique_ptr<LoadedModule> FirmwareFixture::module_;

void FirmwareFixture::SetUpTestSuite() { module_ = std::make_unique<LoadedModule>(QStringLiteral(FIRMWARE_MODULE_PATH)); }

void FirmwareFixture::TearDownTestSuite() { module_.reset(); }

const RegisteredTask& FirmwareFixture::Task(uint32_t kind, const char* name)
{
    return module_->Task(kind, QString::fromLatin1(name));
}

const char* FirmwareFixture::NameOf(bool intelHex, uint32_t kind)
{
    if (kind == TASK_EXPORT || kind == TASK_IMPORT)
        return intelHex ? "Intel HEX Files" : "Motorola S-Record Files";
    return intelHex ? "Intel HEX" : "Motorola S-Records";
}

TaskOutcome FirmwareFixture::Import(bool intelHex, const QByteArray& text)
{
    return runner_.Run(Task(TASK_IMPORT, NameOf(intelHex, TASK_IMPORT)), text);
}

QByteArray FirmwareFixture::Export(bool intelHex, const QByteArray& bytes)
{
    const TaskOutcome outcome = runner_.Run(Task(TASK_EXPORT, NameOf(intelHex, TASK_EXPORT)), bytes);
    EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS);
    return outcome.output;
}
