#include "ChecksumFixture.h"

#include <QStringList>

std::unique_ptr<LoadedModule> ChecksumFixture::module_;

void ChecksumFixture::SetUpTestSuite()
{
    if (!module_)
        module_ = std::make_unique<LoadedModule>(QStringLiteral(CHECKSUM_MODULE_PATH));
}

void ChecksumFixture::TearDownTestSuite() { module_.reset(); }

const RegisteredTask& ChecksumFixture::Task(const char* name) { return module_->Task(TASK_CHECKSUM, QString::fromLatin1(name)); }

QString ChecksumFixture::Report(const char* task, const QByteArray& input)
{
    const TaskOutcome outcome = runner_.Run(Task(task), input);
    EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS) << task;
    EXPECT_EQ(outcome.output.size() % 2, 0) << task;
    return ReportText(outcome.output);
}

QString ChecksumFixture::Value(const QString& report, const QString& lineName)
{
    const QString prefix = lineName + QStringLiteral(": ");
    for (const QString& line : report.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    ADD_FAILURE() << "no line " << lineName.toStdString() << " in\n" << report.toStdString();
    return QString();
}
