// Forwarded command lines: the sender is answered at once, the files open
// from the event loop (Esc stops them), and a second copy whose running copy
// does not answer tells its user instead of ending quietly.
#include "AppTestSupport.h"
#include "TestFiles.h"
#include "app/ForwardMessage.h"
#include "core/BinEditDoc.h"
#include "platform/FileNames.h"

#include <QProcess>
#include <fstream>
#include <QTest>

namespace {

QStringList OpenPaths(const CDocManager& docs)
{
    QStringList paths;
    for (const auto& doc : docs.Documents())
        paths << doc->PathName();
    return paths;
}

} // namespace

class ForwardingTest : public AppTest {
protected:
    QStringList MakeFiles(int count)
    {
        QStringList paths;
        for (int i = 0; i < count; ++i)
            paths << MakeFile(QStringLiteral("f%1.bin").arg(i, 4, 10, QLatin1Char('0')), QByteArray::number(i));
        return paths;
    }
};

TEST_F(ForwardingTest, ManyFilesOpenInOrderWhileLaterCopiesAreStillAnswered)
{
    ASSERT_TRUE(Start());
    const QStringList paths = MakeFiles(200);
    ASSERT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock(paths), 30000), 1u);
    const QString extra = MakeFile("extra.bin", "x");
    ASSERT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock({extra}), 30000), 1u);
    EXPECT_LT(Docs().Count(), 200) << "the second copy was answered only after every file had opened";

    ASSERT_TRUE(WaitUntil([&] { return Docs().Count() == 201; }, 180000)) << Docs().Count();
    EXPECT_EQ(OpenPaths(Docs()), paths + QStringList{extra});
    ASSERT_NE(ActiveDoc(), nullptr);
    EXPECT_EQ(ActiveDoc()->PathName(), extra) << "the last file opened is the active one";
    EXPECT_FALSE(app_->ForwardedFiles().IsBusy());
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(ForwardingTest, EscStopsTheFilesNotOpenedYet)
{
    ASSERT_TRUE(Start());
    const QStringList paths = MakeFiles(200);
    ASSERT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock(paths), 30000), 1u);
    ASSERT_TRUE(WaitUntil([&] { return Docs().Count() > 0; }, 60000));
    QTest::keyClick(Frame(), Qt::Key_Escape);
    const int atEsc = Docs().Count();
    EXPECT_FALSE(app_->ForwardedFiles().IsBusy());
    EXPECT_LT(atEsc, 200);
    // A file forwarded after Esc opens next: none of the stopped ones before it.
    const QString after = MakeFile("after.bin", "x");
    ASSERT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock({after}), 30000), 1u);
    ASSERT_TRUE(WaitUntil([&] { return Docs().Count() > atEsc; }, 60000));
    EXPECT_EQ(OpenPaths(Docs()), paths.mid(0, atEsc) + QStringList{after}) << "files kept opening after Esc";
}

TEST_F(ForwardingTest, TheMessageOfAFailedForwardNamesAFewFilesAndCountsTheRest)
{
    const struct {
        QStringList arguments;
        QString list;
    } cases[] = {
        {{"vantrel", "-x"}, "-x"},  // no file: the arguments are named
        {{"vantrel", "a", "-x", "b"}, "a\nb"},
        {{"vantrel", "1", "2", "3", "4", "5", "6", "7"}, "1\n2\n3\n4\n5\n...and 2 more (7 in all)."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ForwardFailedText(c.arguments),
                  "The running copy of Vantrel did not answer, so these files were not opened:\n\n" + c.list)
            << c.arguments.join(' ').toStdString();
}

// This process holds the channel but runs no event loop while the second copy
// waits: to the second copy it is a stopped copy.
TEST_F(ForwardingTest, SecondCopySaysSoWhenTheRunningCopyDoesNotAnswer)
{
    Store("MultipleInstances", 0);
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b b.bin", "b");
    ASSERT_TRUE(Start({}, true));
    const ProgramRun second = RunProgram({a, b}, files_.filePath("messages.log"));
    ASSERT_TRUE(second.finished) << "the second copy kept waiting";
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.messages,
              QString("The running copy of Vantrel did not answer, so these files were not opened:\n\n%1\n%2\n").arg(a, b));

    // Running again, this copy does not open what the other one gave up on:
    // a file forwarded now is the first and only one to open.
    const QString c = MakeFile("c.bin", "c");
    ASSERT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock({c}), 30000), 1u);
    ASSERT_TRUE(WaitUntil([&] { return Docs().Count() > 0; }, 60000));
    EXPECT_EQ(OpenPaths(Docs()), QStringList{c});
}

// A name that is not UTF-8 goes through the second copy's command line and
// the forwarding block to the file it names.
TEST_F(ForwardingTest, AFileNameThatIsNotUtf8IsForwardedByItsBytes)
{
    Store("MultipleInstances", 0);
    const QByteArray raw = platform::EncodeFileName(files_.path()) + "/caf\xe9.bin";
    const QString name = platform::DecodeFileName(raw);
    std::ofstream(raw.constData(), std::ios::binary) << "latin-1 name";
    ASSERT_TRUE(Start({}, true));
    // QProcess would re-encode the argument; the shell passes the bytes.
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start("/bin/sh", {"-c", "exec \"$0\" \"$(printf '%s/caf\\351.bin' \"$1\")\"", QStringLiteral(VANTREL_EXECUTABLE),
                             files_.path()});
    ASSERT_TRUE(WaitUntil([&] { return second.state() == QProcess::NotRunning; }, 90000));
    EXPECT_EQ(second.exitCode(), 0);
    ASSERT_TRUE(WaitUntil([&] { return Docs().Count() == 1; }, 30000));
    CBinEditDoc* doc = Docs().Documents().front().get();
    EXPECT_EQ(platform::EncodeFileName(doc->PathName()), raw);
    EXPECT_EQ(doc->Buffer().Size(), 12);
    EXPECT_TRUE(messages_.Messages().empty());
    Exit();
    ::unlink(raw.constData());  // QTemporaryDir cannot remove what Qt cannot name
}
