// "struct": a structure of a collection file laid over the bytes at an
// offset, as the Structure View lays it out with every array expanded; as
// text, the lines of Copy Structure.
#include "CliCommand.h"
#include "CliMessages.h"
#include "CliNumbers.h"
#include "CliOutput.h"
#include "DocumentBytes.h"
#include "InputDocument.h"
#include "StructureWalk.h"

#include "ext/ExtensionRegistries.h"
#include "inspect/StructureCollection.h"
#include "inspect/StructureFile.h"
#include "tools/CoreMessages.h"

#include <QJsonArray>

namespace {

QString RadixText(int64_t value, bool hexadecimal)
{
    return hexadecimal ? QStringLiteral("0x") + QString::number(value, 16).toUpper() : QString::number(value);
}

QString StructureNames(const StructureCollection& collection)
{
    QStringList names;
    for (const StructureDef& s : collection.All())
        names << s.name;
    return names.join(QStringLiteral(", "));
}

QJsonObject RowObject(const WalkRow& row)
{
    return QJsonObject{{QStringLiteral("depth"), row.depth},     {QStringLiteral("name"), row.name},
                       {QStringLiteral("type"), row.type},       {QStringLiteral("value"), row.value},
                       {QStringLiteral("offset"), qint64(row.start)}, {QStringLiteral("size"), qint64(row.end - row.start)},
                       {QStringLiteral("eof"), row.eof}};
}

void ReportLimits(const QString& path, const WalkOutcome& outcome, const WalkLimits& limits)
{
    if (outcome.rowBudgetHit)
        PrintProblem(path, QStringLiteral("only the first %1 rows are shown").arg(limits.maxRows));
    if (outcome.depthLimitHit)
        PrintProblem(path, QStringLiteral("Structures nested more than %1 levels deep are not shown").arg(limits.maxDepth));
    if (outcome.stepBudgetHit)
        PrintProblem(path, QStringLiteral("the layout took more than %1 steps; the rows beyond read as <EOF>")
                               .arg(StructureLayout::kStepBudget));
}

} // namespace

int RunStructCommand(const CliArguments& arguments)
{
    const QStringList& words = arguments.Positional();
    if (words.size() != 2 || !arguments.Has(QStringLiteral("--collection")) || !arguments.Has(QStringLiteral("--name")))
        return Fail(QString(), QStringLiteral("struct: name a file, an offset, --collection and --name "
                                              "(see \"vantrel-cli struct --help\")"));
    const QString& path = words[0];
    const std::optional<int64_t> offset = ParseCliNumber(words[1]);
    if (!offset)
        return Fail(QString(), QStringLiteral("\"%1\" is not an offset (decimal, or hexadecimal after 0x)").arg(words[1]));
    TypeRegistry().Load();
    const QString collectionPath = arguments.Value(QStringLiteral("--collection"));
    StructureCollection collection;
    {
        MessageFile messages(collectionPath);
        if (!LoadStructureFile(collection, collectionPath, ValueTypes()))
            return kExitTrouble;
    }
    const QString name = arguments.Value(QStringLiteral("--name"));
    const int index = collection.FindByName(name);
    if (index < 0)
        return Fail(collectionPath, QStringLiteral("no structure is named \"%1\"; the collection holds: %2")
                                        .arg(name, StructureNames(collection)));
    const std::unique_ptr<InputDocument> input = InputDocument::Open(path);
    if (!input)
        return kExitTrouble;
    if (*offset > input->Size())
        return Fail(path, QStringLiteral("offset %1 is past the end of the file (%2 bytes)").arg(*offset).arg(input->Size()));

    const bool hexadecimal = arguments.Has(QStringLiteral("--hex"));
    const bool json = arguments.Has(QStringLiteral("--json"));
    const DocumentBytes bytes(input->Buffer(), *offset);
    StructureLayout layout(collection, ValueTypes(), bytes, arguments.Has(QStringLiteral("--big-endian")),
                           hexadecimal ? 16 : 10);
    WalkLimits limits;
    // One JSON document is held whole before it is written; text is written row by row.
    if (json)
        limits.maxRows = 100'000;
    QJsonArray rows;
    const WalkOutcome outcome = WalkStructure(layout, collection.At(index), limits, [&](const WalkRow& row) {
        if (json)
            rows.append(RowObject(row));
        else
            PrintLine(QString(2 * row.depth, u' ') + row.name + u'\t' + row.value + u'\t' +
                      RadixText(row.start, hexadecimal) + u'\t' + RadixText(row.end - row.start, hexadecimal));
    });
    if (bytes.Failed())
        return Fail(path, CoreMessages::ProblemText(bytes.Problem()));
    if (json)
        PrintJson(QJsonObject{{QStringLiteral("file"), path},
                              {QStringLiteral("offset"), qint64(*offset)},
                              {QStringLiteral("structure"), name},
                              {QStringLiteral("truncated"), outcome.rowBudgetHit || outcome.depthLimitHit},
                              {QStringLiteral("rows"), rows}});
    ReportLimits(path, outcome, limits);
    return kExitSuccess;
}
