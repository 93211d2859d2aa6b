// compare: equal-length files against cmp -l (runs of differing bytes far
// enough apart are one difference each), the resynchronising cases against
// the comparison engine run through the library on the same files.
#include "CliRunner.h"
#include "TestFiles.h"

#include "core/FileBuffer.h"
#include "tools/FileCompare.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Differences = std::vector<CompareDifference>;

Differences FromJson(const QByteArray& text)
{
    Differences list;
    for (const QJsonValue& value : QJsonDocument::fromJson(text).object()["differences"].toArray()) {
        const QJsonObject o = value.toObject();
        list.push_back({int32_t(o["offset1"].toInteger()), int32_t(o["offset2"].toInteger()),
                        int32_t(o["length1"].toInteger()), int32_t(o["length2"].toInteger())});
    }
    return list;
}

// cmp -l lists each differing byte (1-based); consecutive ones make a run.
Differences FromCmp(const QString& a, const QString& b)
{
    Differences list;
    const CliResult cmp = RunTool(QStringLiteral("cmp"), {"-l", a, b});
    for (const QByteArray& line : cmp.out.split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const int32_t offset = line.simplified().split(' ').first().toInt() - 1;
        if (!list.empty() && list.back().offset1 + list.back().length1 == offset) {
            ++list.back().length1;
            ++list.back().length2;
        } else {
            list.push_back({offset, offset, 1, 1});
        }
    }
    return list;
}

Differences FromEngine(const QString& a, const QString& b, int32_t minMatch)
{
    CFileBuffer first, second;
    EXPECT_TRUE(first.LoadFromFile(a));
    EXPECT_TRUE(second.LoadFromFile(b));
    CFileCompare compare(first, second, minMatch);
    while (compare.FindNextDifference() == CompareStep::Found) {
    }
    return compare.Differences();
}

class CliCompareTest : public ::testing::Test {
protected:
    QString Write(const char* name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        WriteWholeFile(path, bytes);
        return path;
    }
    QTemporaryDir dir_;
};

QByteArray Flipped(QByteArray bytes, std::initializer_list<std::pair<int, int>> runs)
{
    for (const auto& [at, count] : runs)
        for (int i = at; i < at + count; ++i)
            bytes[i] = char(~bytes[i]);
    return bytes;
}

TEST_F(CliCompareTest, EqualLengthFilesAgreeWithCmp)
{
    const QByteArray base = RandomBytes(150'000, 3);
    struct Case {
        const char* name;
        QByteArray other;
    };
    const Case cases[] = {
        {"identical", base},
        {"first byte", Flipped(base, {{0, 1}})},
        {"one byte", Flipped(base, {{70'000, 1}})},
        {"scattered runs", Flipped(base, {{10, 3}, {500, 1}, {4096, 40}, {100'000, 7}, {149'000, 2}})},
        {"across a 1024-byte block", Flipped(base, {{1020, 9}, {65'530, 12}})},
    };
    const QString a = Write("a.bin", base);
    for (const Case& c : cases) {
        const QString b = Write("b.bin", c.other);
        const Differences expected = FromCmp(a, b);
        const CliResult result = RunCli({"compare", a, b, "--json"});
        EXPECT_EQ(result.exitCode, expected.empty() ? 0 : 1) << c.name << result.err.toStdString();
        EXPECT_TRUE(PythonAcceptsJson(result.out)) << c.name;
        EXPECT_EQ(FromJson(result.out), expected) << c.name;
        EXPECT_EQ(RunCli({"compare", a, b}).exitCode, RunTool("cmp", {"-s", a, b}).exitCode) << c.name;
    }
}

TEST_F(CliCompareTest, ResynchronisingCasesAgreeWithTheEngine)
{
    const QByteArray base = RandomBytes(60'000, 8);
    struct Case {
        const char* name;
        QByteArray other;
        int32_t minMatch;
    };
    const Case cases[] = {
        {"five bytes inserted", base.left(1000) + "XXXXX" + base.mid(1000), 16},
        {"a stretch deleted", base.left(2000) + base.mid(2600), 16},
        {"a prefix", base.left(40'000), 16},
        {"a longer file", base + "tail", 16},
        {"replaced by unrelated bytes", base.left(5000) + RandomBytes(3000, 9) + base.mid(7000), 64},
        {"difference near the end", Flipped(base, {{59'995, 1}}), 16},
        {"minimum match of one", base.left(100) + "ab" + base.mid(103), 1},
    };
    const QString a = Write("a.bin", base);
    for (const Case& c : cases) {
        const QString b = Write("b.bin", c.other);
        const CliResult result = RunCli({"compare", a, b, "--json", "--min-match", QString::number(c.minMatch)});
        EXPECT_EQ(result.exitCode, 1) << c.name << result.err.toStdString();
        const Differences expected = FromEngine(a, b, c.minMatch);
        EXPECT_FALSE(expected.empty()) << c.name;
        EXPECT_EQ(FromJson(result.out), expected) << c.name;
    }
}

TEST_F(CliCompareTest, TextReportListsEachDifferenceAndASummary)
{
    const QByteArray base = RandomBytes(5000, 4);
    const QString a = Write("a.bin", base);
    const QString b = Write("b.bin", base.left(1000) + "XXXXX" + base.mid(1000));
    const CliResult result = RunCli({"compare", a, b});
    EXPECT_EQ(result.out, QByteArray("File 1: offset 1000, length 0; File 2: offset 1000, length 5\n"
                                     "Differences (1 found)\n"));
    const CliResult same = RunCli({"compare", a, a});
    EXPECT_EQ(same.out, QStringLiteral("Files match. No differences found between \"%1\" and \"%1\".\n").arg(a).toUtf8());
}

} // namespace
