// The four modules written against the public contract alone, found by the
// real discovery: their descriptions, their tasks in the choosers' lists, and
// their types in the registry every type list is drawn from (the inspector,
// the structure definitions and the typed tools), usable through the host's
// own adapter.
#include "ext/TaskExtensions.h"
#include "ext/TypeExtensions.h"
#include "types/ValueTypeRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

const QString kBinDir = QStringLiteral(VANTREL_MODULE_BIN_DIR);

QStringList TaskNames(const TaskExtensions& tasks, int kind, const QString& moduleFile)
{
    QStringList names;
    for (int i = 0; i < tasks.TaskCount(kind); ++i) {
        const TaskEntry& entry = tasks.Task(kind, i);
        if (QFileInfo(tasks.Module(entry.moduleIndex).path).fileName() == moduleFile)
            names << entry.name;
    }
    return names;
}

TEST(AddedModules, TasksReachTheChoosersWithTheirModulesDescriptions)
{
    for (const char* name : {"Digests.vtx", "Firmware.vtx", "Arrays.vtx"})
        ASSERT_TRUE(QFile::exists(kBinDir + '/' + name)) << name << " is built with the program";
    TaskExtensions tasks(kBinDir);
    tasks.Load();
    EXPECT_EQ(TaskNames(tasks, TASK_CHECKSUM, "Digests.vtx"),
              QStringList({"SHA-2 Checksums", "SHA-3 Checksums", "BLAKE2 Checksums", "CRC Variants"}));
    const QStringList firmwareFiles{"Intel HEX Files", "Motorola S-Record Files"};
    const QStringList firmwareClipboard{"Intel HEX", "Motorola S-Records"};
    EXPECT_EQ(TaskNames(tasks, TASK_EXPORT, "Firmware.vtx"), firmwareFiles);
    EXPECT_EQ(TaskNames(tasks, TASK_IMPORT, "Firmware.vtx"), firmwareFiles);
    EXPECT_EQ(TaskNames(tasks, TASK_COPY_AS, "Firmware.vtx"), firmwareClipboard);
    EXPECT_EQ(TaskNames(tasks, TASK_PASTE_AS, "Firmware.vtx"), firmwareClipboard);
    EXPECT_EQ(TaskNames(tasks, TASK_COPY_AS, "Arrays.vtx"),
              QStringList({"Python Source", "Rust Source", "Go Source", "JavaScript Source", "Java Source", "C# Source"}));
    EXPECT_EQ(TaskNames(tasks, TASK_EXPORT, "Arrays.vtx").size(), 6);

    for (int i = 0; i < tasks.ModuleCount(); ++i) {
        const QStringList lines = tasks.Module(i).description.split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 3) << tasks.Module(i).path.toStdString();
        EXPECT_TRUE(lines[0].startsWith("Vantrel ") && lines[0].endsWith(" Extensions"));
        EXPECT_EQ(lines[1], QStringLiteral("Version 1.00"));
    }
}

TEST(AddedModules, TypesJoinTheRegistryAndWorkThroughTheHostsAdapter)
{
    ASSERT_TRUE(QFile::exists(kBinDir + "/Moretypes.vtt"));
    ValueTypeRegistry registry;
    TypeExtensions types(registry, kBinDir);
    types.Load();
    // Name, size, whether it gives an integer, bytes, and the text they show.
    const struct {
        const char* name;
        int size;
        bool integer;
        QByteArray bytes;
        const char* text;
    } expected[] = {
        {"Unix Time (32-bit)", 4, false, QByteArray::fromHex("73ca176b"), "2026-12-08 09:14:27Z"},
        {"Unix Time (64-bit)", 8, false, QByteArray::fromHex("73ca176b00000000"), "2026-12-08 09:14:27Z"},
        {"MS-DOS Date and Time", 4, false, QByteArray::fromHex("00002100"), "1980-01-01 00:00:00"},
        {"GUID", 16, false, QByteArray(16, '\0'), "{00000000-0000-0000-0000-000000000000}"},
        {"Half Float", 2, false, QByteArray::fromHex("003c"), "1"},
        {"BFloat16", 2, false, QByteArray::fromHex("803f"), "1"},
        {"Int24", 3, true, QByteArray::fromHex("ffffff"), "-1"},
        {"UInt24", 3, true, QByteArray::fromHex("ffffff"), "16777215"},
        {"Binary Byte", 1, false, QByteArray("A"), "01000001"},
        {"RGB Color", 3, false, QByteArray::fromHex("ff8000"), "#FF8000"},
        {"IPv4 Address", 4, false, QByteArray::fromHex("7f000001"), "127.0.0.1"},
    };
    for (const auto& e : expected) {
        int index = -1;
        for (int i = 12; i < registry.Count(); ++i)
            if (registry.At(i).Name() == QLatin1String(e.name))
                index = i;
        ASSERT_GE(index, 12) << e.name << " is listed after the standard types";
        const ValueType& type = registry.At(index);
        EXPECT_EQ(type.Size(), e.size) << e.name;
        EXPECT_EQ(type.HasIntegerValue(), e.integer) << e.name;
        const auto* data = reinterpret_cast<const uint8_t*>(e.bytes.constData());
        EXPECT_EQ(type.Format(data, false, 10), QLatin1String(e.text)) << e.name;
        std::vector<uint8_t> parsed(size_t(e.size));
        EXPECT_TRUE(type.Parse(QString::fromLatin1(e.text), false, parsed.data(), nullptr)) << e.name;
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(parsed.data()), e.size), e.bytes) << e.name;
        EXPECT_TRUE(type.Description().contains(QLatin1String("Moretypes.vtt"))) << e.name;
    }
    EXPECT_EQ(registry.At(12 + 8 + 6).IntegerValue(reinterpret_cast<const uint8_t*>("\x10\x00\x00"), false), 16u)
        << "an Int24 can hold an array length";
}

} // namespace
