// The shipped modules found by the real discovery and run the way the task
// commands run them: staged through temporary files by the host, on real
// data, checked against the reference tools.
#include "MessageRecorder.h"
#include "TestFiles.h"

#include "ext/StagedTaskRun.h"
#include "ext/TaskExtensions.h"
#include "ext/TypeExtensions.h"
#include "types/ValueTypeRegistry.h"
#include "platform/BackgroundRemover.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kBinDir = QStringLiteral(VANTREL_MODULE_BIN_DIR);

class ShippedModules : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"Checksum.vtx", "Convert.vtx", "Typext.vtt", "Export.vtx", "Import.vtx"})
            ASSERT_TRUE(QFile::exists(kBinDir + '/' + name)) << name << " is built with the program";
        tasks.Load();
    }

    int TaskIndex(int kind, const QString& name) const
    {
        for (int i = 0; i < tasks.TaskCount(kind); ++i)
            if (tasks.Task(kind, i).name == name)
                return i;
        ADD_FAILURE() << "no task " << name.toStdString() << " of kind " << kind;
        return -1;
    }

    // Runs a task on bytes staged as its input and returns its output.
    QByteArray Run(int kind, const QString& name, const QByteArray& input)
    {
        StagedTask task;
        task.kind = kind;
        task.index = TaskIndex(kind, name);
        task.writeInput = [&input](const QString& path) {
            WriteWholeFile(path, input);
            return true;
        };
        const std::optional<QByteArray> output = RunStagedTask(tasks, task);
        EXPECT_TRUE(output.has_value()) << name.toStdString() << ": " << messages.Last().toStdString();
        return output.value_or(QByteArray());
    }

    QByteArray Tool(const QString& program, const QStringList& arguments, const QByteArray& input)
    {
        QProcess process;
        process.start(program, arguments);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
        return process.readAllStandardOutput();
    }

    static QString Report(const QByteArray& utf16le)
    {
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16le.constData()), utf16le.size() / 2);
    }

    MessageRecorder messages;
    TaskExtensions tasks{kBinDir};
    QTemporaryDir dir;
};

TEST_F(ShippedModules, ChecksumReportsMatchMd5sumAndSha1sum)
{
    for (int size : {0, 1, 1023, 1025, 300000}) {
        const QByteArray input = RandomBytes(size, unsigned(size) + 1);
        const QString md = Report(Run(TASK_CHECKSUM, "MD Checksums", input));
        const QString sha = Report(Run(TASK_CHECKSUM, "SHA-1 Checksum", input));
        const QString md5 = QString::fromLatin1(Tool("md5sum", {}, input).left(32));
        const QString sha1 = QString::fromLatin1(Tool("sha1sum", {}, input).left(40));
        EXPECT_TRUE(md.contains(md5, Qt::CaseInsensitive)) << size << " bytes:\n" << md.toStdString();
        EXPECT_TRUE(sha.contains(sha1, Qt::CaseInsensitive)) << size << " bytes:\n" << sha.toStdString();
    }
}

TEST_F(ShippedModules, Base64ConversionMatchesCoreutilsAndRoundTrips)
{
    const QByteArray input = RandomBytes(10000, 5);
    const QByteArray encoded = Run(TASK_CONVERSION, "Base64 Encode Data", input);
    QByteArray reference = Tool("base64", {"-w", "76"}, input);
    reference.chop(1);  // a last partial line ends without a line break here
    reference.replace("\n", "\r\n");
    EXPECT_EQ(encoded, reference);
    EXPECT_EQ(Run(TASK_CONVERSION, "Base64 Decode Data", encoded), input);
}

TEST_F(ShippedModules, TextDumpExportImportsBackToTheInput)
{
    const QByteArray input = RandomBytes(5000, 9);
    const QString dump = dir.filePath("dump.txt");
    StagedTask exportTask;
    exportTask.kind = TASK_EXPORT;
    exportTask.index = TaskIndex(TASK_EXPORT, "Text Files");
    exportTask.userOutputPath = dump;
    exportTask.writeInput = [&input](const QString& path) {
        WriteWholeFile(path, input);
        return true;
    };
    ASSERT_TRUE(RunStagedTask(tasks, exportTask).has_value());

    StagedTask importTask;
    importTask.kind = TASK_IMPORT;
    importTask.index = TaskIndex(TASK_IMPORT, "Text Files");
    importTask.userInputPath = dump;
    EXPECT_EQ(RunStagedTask(tasks, importTask).value_or(QByteArray()), input);
    // The test main gives every test process a temporary folder of its own.
    platform::WaitForPendingRemovals();
    EXPECT_TRUE(QDir::temp().entryList({"VTL*.tmp"}).isEmpty()) << "the host removes its temporary files";
}

TEST_F(ShippedModules, CustomTypesReadBackWhatTheyWriteInEveryLocale)
{
    ValueTypeRegistry registry;
    TypeExtensions types(registry, kBinDir);
    types.Load();
    ASSERT_GT(registry.Count(), 12);
    const QLocale saved;
    // The C locale's short date separates with a blank, which the reader
    // cannot take back; the types must fall back to a usable separator.
    for (const QLocale& locale : {QLocale::c(), QLocale("en_US"), QLocale("de_DE"), QLocale("fi_FI")})
    for (int i = 12; i < registry.Count(); ++i) {
        QLocale::setDefault(locale);
        const ValueType& type = registry.At(i);
        std::vector<uint8_t> value(size_t(type.Size()), 0);
        value[0] = 0x21;  // a valid value for every date, time and Boolean layout
        const QString text = type.Format(value.data(), false, 10);
        std::vector<uint8_t> parsed(value.size(), 0xEE);
        if (text != "<Invalid>") {
            EXPECT_TRUE(type.Parse(text, false, parsed.data(), nullptr))
                << locale.name().toStdString() << " " << type.Name().toStdString() << ": " << text.toStdString();
            EXPECT_EQ(type.Format(parsed.data(), false, 10), text) << type.Name().toStdString();
        }
    }
    QLocale::setDefault(saved);
}

} // namespace
