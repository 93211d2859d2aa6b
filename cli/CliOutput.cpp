#include "CliOutput.h"

#include "CliMessages.h"

#include <QJsonDocument>

#include <cerrno>
#include <cstdio>
#include <cstring>

void PrintLine(const QString& line)
{
    const QByteArray bytes = (line + u'\n').toUtf8();
    WriteStandardOutput(bytes.constData(), bytes.size());
}

bool WriteStandardOutput(const char* data, int64_t count)
{
    return std::fwrite(data, 1, size_t(count), stdout) == size_t(count);
}

void PrintJson(const QJsonObject& document)
{
    const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Indented);
    WriteStandardOutput(bytes.constData(), bytes.size());
}

void PrintJson(const QJsonArray& document)
{
    const QByteArray bytes = QJsonDocument(document).toJson(QJsonDocument::Indented);
    WriteStandardOutput(bytes.constData(), bytes.size());
}

bool FinishStandardOutput()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    PrintProblem(QStringLiteral("standard output"), QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}
