#include "TaskResultMessage.h"

#include "ext/interface/VantrelExtension.h"
#include "platform/MessageBox.h"

namespace {

QString ResultSentence(uint32_t result)
{
    switch (result) {
    case TASK_RESULT_OUT_OF_MEMORY: return QStringLiteral("There was not enough memory to complete an operation.");
    case TASK_RESULT_WRITE_ERROR: return QStringLiteral("There was an error writing to a file.");
    case TASK_RESULT_READ_ERROR: return QStringLiteral("There was an error reading from a file.");
    default: return QStringLiteral("An unknown error occurred.");
    }
}

} // namespace

QString TaskResultMessage(uint32_t result)
{
    if (result == TASK_RESULT_SUCCESS || result == TASK_RESULT_REPORTED)
        return QString();
    return QStringLiteral("There was an error running the selected task. ") + ResultSentence(result);
}

void ReportTaskResult(uint32_t result)
{
    const QString text = TaskResultMessage(result);
    if (!text.isEmpty())
        platform::ShowMessage(text, platform::MsgButtons::Ok, platform::MsgIcon::Error);
}
