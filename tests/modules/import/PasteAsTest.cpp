// Paste As "Text" and "Raw Clipboard Data..." through the clipboard of the
// offscreen platform; the chooser is answered through the platform hook.
#include "ImportTestSupport.h"

#include "MessageRecorder.h"
#include "ScopedEnv.h"
#include "TestFiles.h"
#include "platform/Clipboard.h"
#include "tests/modules/export/ExportTestSupport.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

namespace {

const QString kUnreadable = QStringLiteral(
    "Unable to read the specified clipboard format. Either the selected format is no longer available or another "
    "application has exclusive use of the clipboard.");

// Installs a chooser answer for the test's lifetime and records what it saw.
class ChooserAnswer {
public:
    explicit ChooserAnswer(std::optional<QString> answer)
    {
        previous_ = platform::SetClipboardFormatChooserHook([this, answer](const QStringList& formats) {
            offered.push_back(formats);
            return answer;
        });
    }
    ~ChooserAnswer() { platform::SetClipboardFormatChooserHook(std::move(previous_)); }
    std::vector<QStringList> offered;

private:
    platform::ClipboardFormatChooser previous_;
};

void SetClipboard(const std::vector<std::pair<QString, QByteArray>>& formats)
{
    auto* data = new QMimeData;
    for (const auto& [format, bytes] : formats)
        data->setData(format, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

TaskOutcome PasteAs(const QString& name)
{
    TaskOutcome outcome;
    QTemporaryDir dir;
    const QString output = dir.filePath("pasted.bin");
    outcome.result = CallTask(ImportModule().Task(TASK_PASTE_AS, name), QString(), output, ViewSettings());
    outcome.outputExists = QFile::exists(output);
    if (outcome.outputExists)
        outcome.output = ReadWholeFile(output);
    return outcome;
}

} // namespace

TEST(PasteText, PastesTheBytesTheClipboardTextSpells)
{
    MessageRecorder messages;
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("41 42 43\r\n44\0", 13)));
    const TaskOutcome outcome = PasteAs(QStringLiteral("Text"));
    EXPECT_EQ(outcome.result, 0u);
    EXPECT_EQ(outcome.output, "ABCD");
    EXPECT_EQ(messages.Count(), 0);
}

TEST(PasteText, CopyAsTextThenPasteAsTextGivesTheSelectionBack)
{
    const QByteArray selection = RandomBytes(1000, 31);
    ViewSettings view;
    view.offset = 0x13;
    ExportRunner exporter;
    ASSERT_EQ(exporter.CopyAs(QStringLiteral("Text"), selection, view), 0u);
    const TaskOutcome outcome = PasteAs(QStringLiteral("Text"));
    EXPECT_EQ(outcome.result, 0u);
    EXPECT_EQ(outcome.output, selection);
}

TEST(PasteText, TextWithoutHexDigitsIsNotRecognised)
{
    MessageRecorder messages;
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("hello world\0", 12)));
    EXPECT_EQ(PasteAs(QStringLiteral("Text")).result, 0x80000000u);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_TRUE(messages.Last().startsWith(QStringLiteral("Unable to convert source data")));
}

TEST(PasteText, AClipboardWithoutTextIsReportedAsUnreadable)
{
    MessageRecorder messages;
    SetClipboard({{QStringLiteral("image/png"), QByteArray("\x89PNG", 4)}});
    const TaskOutcome outcome = PasteAs(QStringLiteral("Text"));
    EXPECT_EQ(outcome.result, 0x80000000u);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Last(), kUnreadable);
    EXPECT_EQ(messages.Messages()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(messages.Messages()[0].icon, platform::MsgIcon::Warning);
}

TEST(PasteText, LeavesNoTemporaryFileBehind)
{
    QTemporaryDir temp;
    {
        const ScopedEnv tmpdir("TMPDIR", temp.path().toLocal8Bit());
        ASSERT_TRUE(platform::SetClipboardText("41"));
        EXPECT_EQ(PasteAs(QStringLiteral("Text")).result, 0u);
        ASSERT_TRUE(platform::SetClipboardText("zz"));
        MessageRecorder messages;
        EXPECT_EQ(PasteAs(QStringLiteral("Text")).result, 0x80000000u);
    }
    EXPECT_TRUE(QDir(temp.path()).entryList(QDir::Files).isEmpty());
}

TEST(PasteRaw, WritesTheChosenFormatsWholeBlock)
{
    MessageRecorder messages;
    const QByteArray png("\x89PNG\r\n\x1A\n\0\0\0", 11);
    SetClipboard({{QStringLiteral("text/plain"), "hello"}, {QStringLiteral("image/png"), png},
                  {QStringLiteral("application/x-vantrel-binary"), QByteArray("\x05\0\0\0", 4)}});
    ChooserAnswer chooser(QStringLiteral("image/png"));
    const TaskOutcome outcome = PasteAs(QStringLiteral("Raw Clipboard Data..."));
    EXPECT_EQ(outcome.result, 0u);
    EXPECT_EQ(outcome.output, png);
    ASSERT_EQ(chooser.offered.size(), 1u);
    EXPECT_EQ(chooser.offered[0], (QStringList{"text/plain", "image/png", "application/x-vantrel-binary"}));
    EXPECT_EQ(messages.Count(), 0);
}

TEST(PasteRaw, CancelEndsSilently)
{
    MessageRecorder messages;
    ASSERT_TRUE(platform::SetClipboardText("41"));
    ChooserAnswer chooser(std::nullopt);
    EXPECT_EQ(PasteAs(QStringLiteral("Raw Clipboard Data...")).result, 0x80000000u);
    EXPECT_EQ(messages.Count(), 0);
}

TEST(PasteRaw, AFormatNoLongerOnTheClipboardIsReported)
{
    MessageRecorder messages;
    ASSERT_TRUE(platform::SetClipboardText("41"));
    ChooserAnswer chooser(QStringLiteral("image/png"));
    const TaskOutcome outcome = PasteAs(QStringLiteral("Raw Clipboard Data..."));
    EXPECT_EQ(outcome.result, 0x80000000u);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Last(), kUnreadable);
    EXPECT_EQ(messages.Messages()[0].icon, platform::MsgIcon::Information);
}
