// "find": the Find dialog's pattern building and search engine over the
// file's spans. Matches do not overlap: the next search starts where the
// last match ended, as Find Next does after a match is selected.
#include "CliCommand.h"
#include "CliMessages.h"
#include "CliNumbers.h"
#include "CliOutput.h"
#include "InputDocument.h"
#include "ProgressLine.h"

#include "ext/ExtensionRegistries.h"
#include "types/ValueTypeRegistry.h"
#include "tools/CoreMessages.h"
#include "tools/FindSettings.h"
#include "tools/SearchPattern.h"

#include <QJsonArray>

#include <algorithm>

namespace {

// The search runs a slice at a time so that progress can be shown.
constexpr int64_t kSliceBytes = int64_t(64) << 20;

int TypeIndexByName(const ValueTypeRegistry& types, const QString& name)
{
    for (int index = 0; index < types.Count(); ++index)
        if (types.At(index).Name().compare(name, Qt::CaseInsensitive) == 0)
            return index;
    return -1;
}

QString TypeNames(const ValueTypeRegistry& types)
{
    QStringList names;
    for (int index = 0; index < types.Count(); ++index)
        names << types.At(index).Name();
    return names.join(QStringLiteral(", "));
}

int CountGiven(const CliArguments& arguments)
{
    int count = 0;
    for (const char* name : {"--text", "--hex", "--value"})
        count += arguments.Has(QString::fromLatin1(name)) ? 1 : 0;
    return count;
}

// The find page the options describe; nothing after the problem was printed.
std::optional<FindSettings> PageFromArguments(const CliArguments& arguments)
{
    FindSettings settings;
    FindPageSettings& page = settings.find;
    const bool bigEndian = arguments.Has(QStringLiteral("--big-endian"));
    settings.matchCase = !arguments.Has(QStringLiteral("--ignore-case"));
    if (arguments.Has(QStringLiteral("--text"))) {
        page.type = FIND_PAGE_TEXT;
        page.text = arguments.Value(QStringLiteral("--text"));
        page.unicode = arguments.Has(QStringLiteral("--unicode"));
        page.textBigEndian = bigEndian;
    } else if (arguments.Has(QStringLiteral("--hex"))) {
        const std::optional<QByteArray> bytes = ParseHexBytes(arguments.Value(QStringLiteral("--hex")));
        if (!bytes) {
            Fail(QString(), QStringLiteral("\"%1\" is not a byte pattern: write pairs of hexadecimal digits (\"DE AD BE EF\")")
                                .arg(arguments.Value(QStringLiteral("--hex"))));
            return std::nullopt;
        }
        page.type = FIND_PAGE_DATA;
        page.data = *bytes;
    } else {
        const QString typed = arguments.Value(QStringLiteral("--value"));
        const qsizetype equals = typed.indexOf(u'=');
        TypeRegistry().Load();
        const int type = equals > 0 ? TypeIndexByName(ValueTypes(), typed.left(equals).trimmed()) : -1;
        if (type < 0) {
            Fail(QString(), QStringLiteral("\"%1\" does not name a data type (TYPE=VALUE); the types are: %2")
                                .arg(typed, TypeNames(ValueTypes())));
            return std::nullopt;
        }
        page.type = FIND_PAGE_VALUE;
        page.valueType = type;
        page.value = typed.mid(equals + 1).trimmed();
        page.valueBigEndian = bigEndian;
    }
    return settings;
}

// Offsets of the matches from start on: the first one, or all of them.
// False after a read failure was printed.
bool Search(InputDocument& input, const CByteSearch& engine, int64_t start, bool all, std::vector<int64_t>& found)
{
    CFileBuffer& buffer = input.Buffer();
    const int64_t size = buffer.Size();
    const int64_t length = engine.Length();
    ProgressLine progress(QStringLiteral("Searching %1").arg(input.Path()));
    int64_t from = start;
    const int reported = ReportedMessageCount();
    while (from + length <= size) {
        // A slice takes the matches that end inside it; the next one starts
        // where a match could still begin.
        const int64_t bound = std::min(size, from + kSliceBytes + length - 1);
        const int64_t at = engine.FindForward(buffer, from, bound);
        if (engine.Problem()) {
            if (ReportedMessageCount() == reported)
                PrintProblem(input.Path(), CoreMessages::ProblemText(engine.Problem()));
            return false;
        }
        if (at < 0) {
            from = bound - length + 1;
        } else {
            found.push_back(at);
            if (!all)
                return true;
            from = at + length;
        }
        progress.Update(from, size);
    }
    return true;
}

} // namespace

int RunFindCommand(const CliArguments& arguments)
{
    const QStringList& words = arguments.Positional();
    if (words.size() != 1)
        return Fail(QString(), QStringLiteral("find: name one file (see \"vantrel-cli find --help\")"));
    if (CountGiven(arguments) != 1)
        return Fail(QString(), QStringLiteral("find: give exactly one of --text, --hex and --value"));
    const QString path = words.first();
    const std::optional<FindSettings> settings = PageFromArguments(arguments);
    if (!settings)
        return kExitTrouble;
    const SearchBuild build = BuildSearch(*settings, SearchDialog::Find, ValueTypes());
    if (!build.Ok())
        return kExitTrouble;

    const std::unique_ptr<InputDocument> input = InputDocument::Open(path);
    if (!input)
        return kExitTrouble;
    int64_t start = 0;
    if (arguments.Has(QStringLiteral("--from"))) {
        const std::optional<int64_t> from = ParseCliNumber(arguments.Value(QStringLiteral("--from")));
        if (!from)
            return Fail(QString(), QStringLiteral("\"%1\" is not an offset (decimal, or hexadecimal after 0x)")
                                       .arg(arguments.Value(QStringLiteral("--from"))));
        if (*from > input->Size())
            return Fail(path, QStringLiteral("offset %1 is past the end of the file (%2 bytes)").arg(*from).arg(input->Size()));
        start = *from;
    }
    const CByteSearch engine = build.search.Engine();
    std::vector<int64_t> found;
    {
        MessageFile messages(path);
        if (!Search(*input, engine, start, arguments.Has(QStringLiteral("--all")), found))
            return kExitTrouble;
    }
    if (arguments.Has(QStringLiteral("--json"))) {
        QJsonArray offsets;
        for (const int64_t offset : found)
            offsets.append(qint64(offset));
        PrintJson(QJsonObject{{QStringLiteral("file"), path},
                              {QStringLiteral("pattern"), QString::fromLatin1(build.search.pattern.toHex(' ').toUpper())},
                              {QStringLiteral("length"), qint64(build.search.pattern.size())},
                              {QStringLiteral("matches"), offsets}});
    } else {
        for (const int64_t offset : found)
            PrintLine(QString::number(offset));
    }
    return found.empty() ? kExitNegative : kExitSuccess;
}
