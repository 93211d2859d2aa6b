// "inspect": the bytes at an offset as every data type, the twelve standard
// ones and the modules' types, formatted as the Data View formats them.
#include "CliCommand.h"
#include "CliMessages.h"
#include "CliNumbers.h"
#include "CliOutput.h"
#include "DocumentBytes.h"
#include "InputDocument.h"

#include "ext/ExtensionRegistries.h"
#include "inspect/DataViewValues.h"
#include "tools/CoreMessages.h"

#include <QJsonArray>

#include <vector>

int RunInspectCommand(const CliArguments& arguments)
{
    const QStringList& words = arguments.Positional();
    if (words.size() != 2)
        return Fail(QString(), QStringLiteral("inspect: name a file and an offset (see \"vantrel-cli inspect --help\")"));
    const QString& path = words[0];
    const std::optional<int64_t> offset = ParseCliNumber(words[1]);
    if (!offset)
        return Fail(QString(), QStringLiteral("\"%1\" is not an offset (decimal, or hexadecimal after 0x)").arg(words[1]));
    const std::unique_ptr<InputDocument> input = InputDocument::Open(path);
    if (!input)
        return kExitTrouble;
    if (*offset >= input->Size() && input->Size() > 0)
        return Fail(path, QStringLiteral("offset %1 is past the end of the file (%2 bytes)").arg(*offset).arg(input->Size()));
    TypeRegistry().Load();
    const ValueTypeRegistry& types = ValueTypes();

    const DocumentBytes bytes(input->Buffer(), *offset);
    std::vector<uint8_t> data(size_t(types.MaxValueSize()), 0);
    const int available = bytes.Read(0, data.data(), int32_t(data.size()));
    if (bytes.Failed())
        return Fail(path, CoreMessages::ProblemText(bytes.Problem()));
    DataViewFlags flags;
    flags.hexadecimal = arguments.Has(QStringLiteral("--hex"));
    flags.bigEndian = arguments.Has(QStringLiteral("--big-endian"));

    const bool json = arguments.Has(QStringLiteral("--json"));
    QJsonArray values;
    for (int index = 0; index < types.Count(); ++index) {
        const ValueType& type = types.At(index);
        const ValueCell cell = FormatValueCell(type, data.data(), available, flags);
        if (json)
            values.append(QJsonObject{{QStringLiteral("type"), type.Name()},
                                      {QStringLiteral("size"), type.Size()},
                                      {QStringLiteral("value"), cell.text},
                                      {QStringLiteral("eof"), type.Size() > available}});
        else
            PrintLine(QStringLiteral("%1\t%2").arg(type.Name(), cell.text));
    }
    if (json)
        PrintJson(QJsonObject{{QStringLiteral("file"), path},
                              {QStringLiteral("offset"), qint64(*offset)},
                              {QStringLiteral("bigEndian"), flags.bigEndian},
                              {QStringLiteral("values"), values}});
    return kExitSuccess;
}
