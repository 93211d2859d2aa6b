// inspect and struct: JSON that Python's json module accepts, with values
// checked against numbers computed here from the bytes; the struct text
// pinned as Copy Structure writes it.
#include "CliRunner.h"
#include "TestFiles.h"

#include "inspect/StructureCollection.h"
#include "inspect/StructureFile.h"
#include "types/ValueTypeRegistry.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstring>
#include <map>

#include <gtest/gtest.h>

namespace {

template <typename T>
T Load(const QByteArray& bytes, int at, bool bigEndian)
{
    QByteArray slice = bytes.mid(at, sizeof(T));
    if (bigEndian)
        std::reverse(slice.begin(), slice.end());
    T value;
    std::memcpy(&value, slice.constData(), sizeof(T));
    return value;
}

std::map<QString, QString> ValuesByType(const QByteArray& json)
{
    std::map<QString, QString> values;
    for (const QJsonValue& v : QJsonDocument::fromJson(json).object()["values"].toArray())
        values[v.toObject()["type"].toString()] = v.toObject()["value"].toString();
    return values;
}

TEST(CliInspectTest, IntegerTypesAgreeWithTheBytesInBothOrders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("values.bin");
    const QByteArray bytes = QByteArray::fromHex("00F1E2D3C4B5A69788796A5B4C3D2E1F");
    WriteWholeFile(path, bytes);
    for (const int at : {1, 4}) {
        for (const bool bigEndian : {false, true}) {
            QStringList arguments{"inspect", path, QString::number(at), "--json"};
            if (bigEndian)
                arguments << "--big-endian";
            const CliResult result = RunCli(arguments);
            ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
            ASSERT_TRUE(PythonAcceptsJson(result.out));
            auto values = ValuesByType(result.out);
            EXPECT_EQ(values["Byte"], QString::number(uint8_t(bytes[at])));
            EXPECT_EQ(values["Word"], QString::number(Load<uint16_t>(bytes, at, bigEndian)));
            EXPECT_EQ(values["DWord"], QString::number(Load<uint32_t>(bytes, at, bigEndian)));
            EXPECT_EQ(values["Signed DWord"], QString::number(Load<int32_t>(bytes, at, bigEndian)));
            // 64-bit values beyond 2^53 keep every digit.
            const bool qwordFits = at + 8 <= bytes.size();
            EXPECT_EQ(values["QWord"], qwordFits ? QString::number(Load<uint64_t>(bytes, at, bigEndian)) : "<EOF>");
            EXPECT_EQ(values["Signed QWord"], qwordFits ? QString::number(Load<int64_t>(bytes, at, bigEndian)) : "<EOF>");
            EXPECT_EQ(values["UInt24"], QString::number(Load<uint32_t>(bytes, at, bigEndian) >> (bigEndian ? 8 : 0) & 0xFFFFFF));
        }
    }
}

TEST(CliInspectTest, TypesPastTheEndReadEofAndTextListsEveryType)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("short.bin");
    WriteWholeFile(path, QByteArray::fromHex("4142"));
    const CliResult result = RunCli({"inspect", path, "1"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.startsWith("Byte\t66\nWord\t<EOF>\nDWord\t<EOF>\n")) << result.out.toStdString();
    EXPECT_TRUE(result.out.contains("ASCII Character\t66 'B'\n"));
    EXPECT_TRUE(result.out.contains("IPv4 Address\t<EOF>\n"));  // a module's type
}

class CliStructTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const int byteType = ValueTypes().Find(u"Byte", 1);
        const int wordType = ValueTypes().Find(u"Word", 2);
        const int dwordType = ValueTypes().Find(u"DWord", 4);
        StructureCollection collection;
        StructureDef record{"Record", 0, {}};
        record.members.push_back({"count", wordType, false, 1, false, 0});
        record.members.push_back({"data", byteType, true, 1, true, 0});
        record.members.push_back({"tail", dwordType, false, 1, false, 0});
        collection.Add(record);
        StructureDef outer{"Outer", 0, {}};
        outer.members.push_back({"head", StructureRef(0), false, 1, false, 0});
        outer.members.push_back({"pair", wordType, true, 2, false, 0});
        collection.Add(outer);
        collectionPath_ = dir_.filePath("layouts.str");
        WriteWholeFile(collectionPath_, EncodeStructures(collection, ValueTypes()));
        path_ = dir_.filePath("data.bin");
        // At offset 4: count 3, data "ABC", tail 0x12345678, pair 1 and 2.
        WriteWholeFile(path_, QByteArray::fromHex("EEEEEEEE" "0300" "414243" "78563412" "0100" "0200"));
    }

    QTemporaryDir dir_;
    QString collectionPath_;
    QString path_;
};

TEST_F(CliStructTest, TextIsTheCopyStructureLines)
{
    const CliResult result = RunCli({"struct", path_, "4", "--collection", collectionPath_, "--name", "Outer"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, QByteArray("Outer\t\t0\t13\n"
                                     "  head\tRecord\t0\t9\n"
                                     "    count\t3\t0\t2\n"
                                     "    data[count]\tByte[]\t2\t3\n"
                                     "      data[0]\t65\t2\t1\n"
                                     "      data[1]\t66\t3\t1\n"
                                     "      data[2]\t67\t4\t1\n"
                                     "    tail\t305419896\t5\t4\n"
                                     "  pair[2]\tWord[]\t9\t4\n"
                                     "    pair[0]\t1\t9\t2\n"
                                     "    pair[1]\t2\t11\t2\n"));
    EXPECT_TRUE(result.err.isEmpty());
}

TEST_F(CliStructTest, JsonRowsCarryOffsetsSizesAndValuesReadFromTheBytes)
{
    const CliResult result =
        RunCli({"struct", path_, "0x4", "--collection", collectionPath_, "--name", "Record", "--json", "--hex"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    ASSERT_TRUE(PythonAcceptsJson(result.out));
    const QJsonArray rows = QJsonDocument::fromJson(result.out).object()["rows"].toArray();
    ASSERT_EQ(rows.size(), 7);
    const QJsonObject tail = rows[6].toObject();
    EXPECT_EQ(tail["name"].toString(), "tail");
    EXPECT_EQ(tail["offset"].toInteger(), 5);
    EXPECT_EQ(tail["size"].toInteger(), 4);
    EXPECT_EQ(tail["value"].toString(), "0x12345678");
    EXPECT_EQ(rows[5].toObject()["name"].toString(), "data[2]");
    EXPECT_EQ(rows[5].toObject()["value"].toString(), "0x43");
    EXPECT_EQ(rows[5].toObject()["depth"].toInt(), 2);
}

TEST_F(CliStructTest, FileEndingInsideTheStructureReadsEof)
{
    const CliResult result = RunCli({"struct", path_, "10", "--collection", collectionPath_, "--name", "Record"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    // count = 0x3412 would want more elements than the file holds.
    EXPECT_TRUE(result.out.contains("  tail\t<EOF>\t")) << result.out.toStdString();
}

} // namespace
