#include "CommandLineInfo.h"

namespace {
bool IsKnownFlag(const QString& flag)
{
    return flag.compare(QLatin1String("p"), Qt::CaseInsensitive) == 0 ||
           flag.compare(QLatin1String("pt"), Qt::CaseInsensitive) == 0;
}
} // namespace

bool CommandLineInfo::SplitFlag(const QString& token, QString* flag)
{
    if (token.startsWith(QLatin1Char('-'))) {
        *flag = token.mid(1);
        return true;
    }
    if (token.startsWith(QLatin1Char('/')) && IsKnownFlag(token.mid(1))) {
        *flag = token.mid(1);
        return true;
    }
    return false;
}

CommandLineInfo CommandLineInfo::Parse(const QStringList& arguments)
{
    CommandLineInfo info;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString flag;
        const bool isFlag = SplitFlag(arguments[i], &flag);
        info.ParseParam(isFlag ? flag : arguments[i], isFlag, i + 1 == arguments.size());
    }
    return info;
}

void CommandLineInfo::ParseParam(const QString& param, bool flag, bool last)
{
    if (flag)
        ParseFlag(param);
    else
        ParseNotFlag(param);
    if (last)
        ParseLast();
}

void CommandLineInfo::ParseFlag(const QString& flag)
{
    if (flag.compare(QLatin1String("pt"), Qt::CaseInsensitive) == 0)
        shellCommand = FilePrintTo;
    else if (flag.compare(QLatin1String("p"), Qt::CaseInsensitive) == 0)
        shellCommand = FilePrint;
    // Other flags mean nothing to this program and are ignored.
}

void CommandLineInfo::ParseNotFlag(const QString& param)
{
    // No file has an empty name; an empty argument would only produce an
    // error message about a file called "".
    if (param.isEmpty())
        return;
    if (shellCommand == FilePrintTo && !fileNames.isEmpty()) {
        if (printerName.isEmpty()) {
            printerName = param;
            return;
        }
        if (driverName.isEmpty()) {
            driverName = param;
            return;
        }
        if (portName.isEmpty()) {
            portName = param;
            return;
        }
    }
    fileNames.append(param);
    fileName = param;
}

void CommandLineInfo::ParseLast()
{
    if (shellCommand == FileNew && !fileNames.isEmpty())
        shellCommand = FileOpen;
}
