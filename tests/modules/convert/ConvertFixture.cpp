#include "ConvertFixture.h"

std::unique_ptr<LoadedModule> ConvertFixture::module_;

void ConvertFixture::SetUpTestSuite()
{
    if (!module_)
        module_ = std::make_unique<LoadedModule>(QStringLiteral(CONVERT_MODULE_PATH));
}

void ConvertFixture::TearDownTestSuite() { module_.reset(); }

const RegisteredTask& ConvertFixture::Conversion(const char* name)
{
    return module_->Task(TASK_CONVERSION, QString::fromLatin1(name));
}

QByteArray ConvertFixture::Convert(const char* name, const QByteArray& input)
{
    const TaskOutcome outcome = runner_.Run(Conversion(name), input);
    EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS) << name;
    EXPECT_TRUE(outcome.outputExists) << name;
    return outcome.output;
}

QByteArray Utf16Le(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}
