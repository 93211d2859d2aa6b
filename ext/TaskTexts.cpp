#include "TaskTexts.h"

#include "ext/TaskExtensions.h"

QString NoExtensionsText() { return QStringLiteral("No extensions were found to perform the selected task."); }

QString TaskInfoText(const TaskExtensions& tasks, int kind, int index)
{
    const TaskEntry& task = tasks.Task(kind, index);
    QString text;
    if (task.moduleIndex >= 0 && task.moduleIndex < tasks.ModuleCount()) {
        const ExtensionModule& module = tasks.Module(task.moduleIndex);
        if (!module.description.isEmpty())
            text = module.description + QStringLiteral("\r\n\r\n");
        text += QStringLiteral("Task Name: %1\r\nTask ID: %2\r\nModule: %3").arg(task.name).arg(task.id).arg(module.path);
    } else {
        text = QStringLiteral("Task Name: %1\r\nTask ID: %2\r\nModule: ").arg(task.name).arg(task.id);
    }
    return text;
}

QString NoTaskInfoText() { return QStringLiteral("No information is available."); }

QString ChecksumReportText(const QByteArray& bytes)
{
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < units; ++i)
        text[i] = QChar(char16_t(raw[2 * i] | (raw[2 * i + 1] << 8)));
    return text;
}
