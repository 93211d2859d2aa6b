// The document commands as a user reaches them: save, save as, save all,
// reload, properties, the read-only switch, titles and the save question on
// close and exit.
#include "AppTestSupport.h"
#include "app/BinEditFrame.h"
#include "app/StatusPanes.h"
#include "core/BinEditDoc.h"
#include "core/BufferPos.h"
#include "TestFiles.h"
#include "furniture/FilePropertiesDlg.h"
#include "view/BinEditView.h"

#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using platform::MsgButtons;
using platform::MsgResult;

namespace {

// One edit through the document, as the view's typing will make it.
void Modify(CBinEditDoc* doc, char byte = 'Z')
{
    CBufferPos at;
    at.Bind(&doc->Buffer(), true, 0);
    if (doc->Size() > 0)
        ASSERT_TRUE(doc->OverwriteAt(at, &byte, 1));
    else
        ASSERT_EQ(doc->InsertAt(at, &byte, 1), 1);
}

// The same edit where it may be refused.
bool TryModify(CBinEditDoc* doc, char byte = 'Z')
{
    CBufferPos at;
    at.Bind(&doc->Buffer(), true, 0);
    return doc->OverwriteAt(at, &byte, 1);
}

QByteArray Contents(const CBinEditDoc* doc)
{
    QByteArray bytes(doc->Size(), '\0');
    CBufferPos at;
    at.Bind(const_cast<CFileBuffer*>(&doc->Buffer()), false, 0);
    at.Read(bytes.data(), int32_t(bytes.size()));
    return bytes;
}

const QString kNoFileName = "Cannot reload this file because no filename is associated with the current window.";
const QString kReloadWarning =
    "WARNING: This file will be reloaded from disk and all of your unsaved changes to this file will be lost!\n\n"
    "Are you sure this is what you want to do?";

} // namespace

// ---------------------------------------------------------------- reload

TEST_F(AppTest, ReloadOfANeverSavedDocumentSaysThereIsNoFileName)
{
    ASSERT_TRUE(Start());
    Trigger(Cmd::FileNew);
    CBinEditDoc* doc = ActiveDoc();
    ASSERT_NE(doc, nullptr);
    EXPECT_FALSE(Frame()->Action(Cmd::FileReload)->isEnabled());
    Docs().Reload(doc);
    EXPECT_EQ(messages_.Texts(), QStringList{kNoFileName});
    EXPECT_EQ(Docs().Count(), 1);
    EXPECT_EQ(ActiveDoc(), doc);
}

TEST_F(AppTest, ReloadOfAModifiedDocumentAsksAndNoKeepsTheChanges)
{
    const QString file = MakeFile("a.bin", "abc");
    ASSERT_TRUE(Start({file}));
    CBinEditDoc* doc = ActiveDoc();
    Modify(doc);
    WriteWholeFile(file, "xyz!");

    messages_.Answer(MsgResult::No);
    Trigger(Cmd::FileReload);
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_EQ(messages_.Last(), kReloadWarning);
    EXPECT_EQ(messages_.Messages().back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(messages_.Messages().back().icon, platform::MsgIcon::Warning);
    EXPECT_EQ(ActiveDoc(), doc);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Contents(doc), QByteArray("Zbc"));

    messages_.Answer(MsgResult::Yes);
    Trigger(Cmd::FileReload);
    EXPECT_EQ(messages_.Count(), 2);
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_FALSE(ActiveDoc()->IsModified());
    EXPECT_EQ(Contents(ActiveDoc()), QByteArray("xyz!"));
    EXPECT_EQ(ActiveDoc()->OriginalSize(), 4);
    EXPECT_EQ(Frame()->Frames().size(), 1u);
}

TEST_F(AppTest, ReloadOfAnUnmodifiedDocumentNeedsNoQuestion)
{
    const QString file = MakeFile("a.bin", "abc");
    ASSERT_TRUE(Start({file}));
    WriteWholeFile(file, "12345");
    Trigger(Cmd::FileReload);
    EXPECT_TRUE(messages_.Messages().empty());
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_EQ(Contents(ActiveDoc()), QByteArray("12345"));
    EXPECT_EQ(ActiveDoc()->PathName(), file);
}

// ---------------------------------------------------------------- read-only and properties

TEST_F(AppTest, SaveIsDisabledWhileReadOnlyAndReturnsWithTheSwitch)
{
    const QString file = MakeFile("a.bin", "abc");
    ASSERT_TRUE(Start({file}));
    Frame()->UpdateCommands();
    EXPECT_TRUE(Frame()->Action(Cmd::FileSave)->isEnabled());

    dialogs_->propertiesAnswers.push_back(true);
    Trigger(Cmd::FileProperties);
    EXPECT_TRUE(ActiveDoc()->IsReadOnly());
    EXPECT_FALSE(Frame()->Action(Cmd::FileSave)->isEnabled());
    EXPECT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Mode), "READ");

    // Neither the command nor its key saves now.
    EXPECT_FALSE(TryModify(ActiveDoc())) << "edits are refused while read-only";
    EXPECT_FALSE(ActiveDoc()->IsModified());
    Frame()->Action(Cmd::FileSave)->trigger();
    EXPECT_EQ(ReadWholeFile(file), QByteArray("abc"));

    dialogs_->propertiesAnswers.push_back(false);
    Trigger(Cmd::FileProperties);
    EXPECT_FALSE(ActiveDoc()->IsReadOnly());
    EXPECT_TRUE(Frame()->Action(Cmd::FileSave)->isEnabled());
    EXPECT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Mode), "OVR");
}

TEST_F(AppTest, CancelledPropertiesChangeNothing)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "abc")}));
    dialogs_->propertiesAnswers.push_back(std::nullopt);
    Trigger(Cmd::FileProperties);
    ASSERT_EQ(dialogs_->propertiesShown.size(), 1);
    EXPECT_FALSE(ActiveDoc()->IsReadOnly());
}

TEST_F(AppTest, PropertiesShowTheDocumentAsItIs)
{
    const QString empty = MakeFile("empty.bin", "");
    ASSERT_TRUE(Start({empty}));
    Trigger(Cmd::FileProperties);
    Trigger(Cmd::FileNew);
    Trigger(Cmd::FileProperties);
    ASSERT_EQ(dialogs_->propertiesShown.size(), 2);
    EXPECT_EQ(dialogs_->propertiesShown[0], (FileProperties{"empty.bin", files_.path(), "0", "0", "No", false}));
    EXPECT_EQ(dialogs_->propertiesShown[1], (FileProperties{"<Untitled>", "", "0", "0", "No", false}));
}

TEST_F(AppTest, SavingKeepsTheOriginalSizeAndTheHistory)
{
    const QString file = MakeFile("a.bin", QByteArray(1234, 'a'));
    ASSERT_TRUE(Start({file}));
    CBinEditDoc* doc = ActiveDoc();
    CBufferPos at;
    at.Bind(&doc->Buffer(), true, 0);
    ASSERT_EQ(doc->InsertAt(at, QByteArray(1000, 'b').constData(), 1000), 1000);
    EXPECT_TRUE(doc->CanUndo());
    Trigger(Cmd::FileSave);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->CanUndo());
    EXPECT_EQ(ReadWholeFile(file).size(), 2234);
    Trigger(Cmd::FileProperties);
    ASSERT_EQ(dialogs_->propertiesShown.size(), 1);
    EXPECT_EQ(dialogs_->propertiesShown[0].size, "2,234");
    EXPECT_EQ(dialogs_->propertiesShown[0].originalSize, "1,234");
    // Undo after the save leads back to what the save replaced.
    Trigger(Cmd::EditUndo);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->Buffer().Size(), 1234);
}

TEST_F(AppTest, PropertiesSheetHasOneGeneralPageAndNoApply)
{
    const FileProperties values{"data.bin", "/home/me", "2,147,483,647", "10", "Yes", true};
    CFilePropertiesDlg dialog(values);
    EXPECT_EQ(dialog.windowTitle(), "File Properties");
    auto* tabs = dialog.findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), "General");
    EXPECT_EQ(dialog.Shown(), values);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Apply), nullptr);
    auto* box = dialog.findChild<QCheckBox*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "&Read only");
    box->setChecked(false);
    EXPECT_FALSE(dialog.ReadOnly());
}

// ---------------------------------------------------------------- save all

TEST_F(AppTest, SaveAllStopsAtTheFirstCancelledSaveAs)
{
    const QString a = MakeFile("a.bin", "aaa"), c = MakeFile("c.bin", "ccc"), d = MakeFile("d.bin", "ddd");
    ASSERT_TRUE(Start({a}));
    Trigger(Cmd::FileNew);
    ASSERT_NE(Docs().OpenDocumentFile(c), nullptr);
    ASSERT_NE(Docs().OpenDocumentFile(d), nullptr);
    const auto& docs = Docs().Documents();
    ASSERT_EQ(docs.size(), 4u);
    Modify(docs[0].get());
    Modify(docs[1].get());
    Modify(docs[2].get());
    // d stays unmodified; a copy changed outside must not be overwritten.
    WriteWholeFile(d, "outside");

    dialogs_->saveAsAnswers.push_back(std::nullopt);
    Trigger(Cmd::FileSaveAll);

    EXPECT_EQ(ReadWholeFile(a), QByteArray("Zaa"));
    EXPECT_FALSE(docs[0]->IsModified());
    EXPECT_EQ(dialogs_->saveAsSuggested.size(), 1) << "asked once, for the untitled document";
    EXPECT_TRUE(docs[1]->IsModified());
    EXPECT_TRUE(docs[2]->IsModified()) << "nothing after the cancelled one is saved";
    EXPECT_EQ(ReadWholeFile(c), QByteArray("ccc"));
    EXPECT_EQ(ReadWholeFile(d), QByteArray("outside"));
}

TEST_F(AppTest, SaveAsNamesTheDocumentAfterItsNewFile)
{
    ASSERT_TRUE(Start());
    Trigger(Cmd::FileNew);
    Modify(ActiveDoc(), 'Q');
    const QString target = files_.filePath("saved.bin");
    dialogs_->saveAsAnswers.push_back(target);
    Trigger(Cmd::FileSave);  // no name yet: asks for one
    EXPECT_EQ(ReadWholeFile(target), QByteArray("Q"));
    EXPECT_EQ(ActiveDoc()->PathName(), target);
    EXPECT_EQ(ActiveDoc()->Title(), "saved.bin");
    EXPECT_EQ(MainTitle(), "Vantrel - [saved.bin]");
    EXPECT_EQ(Context().settings.recentFiles.value(0), target);
    EXPECT_TRUE(Frame()->Action(Cmd::FileReload)->isEnabled());
}

// ---------------------------------------------------------------- titles

TEST_F(AppTest, UntitledDocumentsAreNumberedAndModifiedOnesMarked)
{
    ASSERT_TRUE(Start());
    Trigger(Cmd::FileNew);
    Trigger(Cmd::FileNew);
    ASSERT_EQ(Docs().Count(), 2);
    EXPECT_EQ(Docs().Documents()[0]->Title(), "Untitled1");
    EXPECT_EQ(Docs().Documents()[1]->Title(), "Untitled2");
    EXPECT_EQ(MainTitle(), "Vantrel - [Untitled2]");
    Modify(ActiveDoc());
    EXPECT_EQ(MainTitle(), "Vantrel - [Untitled2*]");
    EXPECT_EQ(Frame()->ActiveFrame()->windowTitle(), "Untitled2*");
    Frame()->ActiveFrame()->showNormal();
    EXPECT_EQ(MainTitle(), "Vantrel - Untitled2*");
}

// ---------------------------------------------------------------- close and exit

TEST_F(AppTest, ClosingAModifiedDocumentAsksToSaveIt)
{
    const QString file = MakeFile("a.bin", "abc");
    ASSERT_TRUE(Start({file}));
    Modify(ActiveDoc());

    messages_.Answer(MsgResult::Cancel);
    Trigger(Cmd::FileClose);
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_EQ(messages_.Last(), "Save changes to " + file + "?");
    EXPECT_EQ(messages_.Messages().back().buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(Docs().Count(), 1);

    messages_.Answer(MsgResult::No);
    Frame()->ActiveFrame()->close();  // the window's own close asks the same
    EXPECT_EQ(messages_.Count(), 2);
    EXPECT_EQ(Docs().Count(), 0);
    EXPECT_EQ(ReadWholeFile(file), QByteArray("abc"));
    EXPECT_EQ(MainTitle(), "Vantrel");
}

TEST_F(AppTest, YesSavesAnUntitledDocumentUnderTheChosenName)
{
    ASSERT_TRUE(Start());
    Trigger(Cmd::FileNew);
    Modify(ActiveDoc(), 'K');
    const QString target = files_.filePath("kept.bin");
    dialogs_->saveAsAnswers.push_back(target);
    messages_.Answer(MsgResult::Yes);
    Trigger(Cmd::FileClose);
    EXPECT_EQ(messages_.Last(), "Save changes to Untitled1?");
    EXPECT_EQ(ReadWholeFile(target), QByteArray("K"));
    EXPECT_EQ(Docs().Count(), 0);
}

TEST_F(AppTest, YesThenACancelledSaveAsKeepsTheDocumentOpen)
{
    ASSERT_TRUE(Start());
    Trigger(Cmd::FileNew);
    Modify(ActiveDoc());
    messages_.Answer(MsgResult::Yes);
    dialogs_->saveAsAnswers.push_back(std::nullopt);
    Trigger(Cmd::FileClose);
    EXPECT_EQ(Docs().Count(), 1);
}

TEST_F(AppTest, ReadOnlyModifiedDocumentIsSavedUnderANewName)
{
    const QString file = MakeFile("a.bin", "abc");
    ASSERT_TRUE(Start({file}));
    Modify(ActiveDoc());
    ActiveDoc()->SetReadOnly(true);
    messages_.Answer(MsgResult::Yes);
    dialogs_->saveAsAnswers.push_back(std::nullopt);
    Trigger(Cmd::FileClose);
    EXPECT_EQ(dialogs_->saveAsSuggested, QStringList{file});
    EXPECT_EQ(ReadWholeFile(file), QByteArray("abc"));
    EXPECT_EQ(Docs().Count(), 1);
}

TEST_F(AppTest, CloseAllAsksForEveryModifiedDocumentAndStopsAtCancel)
{
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b.bin", "b"), c = MakeFile("c.bin", "c");
    ASSERT_TRUE(Start({a, b, c}));
    Modify(Docs().Documents()[0].get());
    Modify(Docs().Documents()[2].get());
    messages_.Answer(MsgResult::No);
    messages_.Answer(MsgResult::Cancel);
    Trigger(Cmd::FileCloseAll);
    EXPECT_EQ(messages_.Texts(), QStringList({"Save changes to " + a + "?", "Save changes to " + c + "?"}));
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_EQ(Docs().Documents()[0]->PathName(), c);
    EXPECT_TRUE(Docs().Documents()[0]->IsModified());
    EXPECT_EQ(ReadWholeFile(a), QByteArray("a"));
}

TEST_F(AppTest, ExitAsksAndCancelKeepsEverythingOpen)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "a")}));
    Modify(ActiveDoc());
    messages_.Answer(MsgResult::Cancel);
    EXPECT_FALSE(CloseMainWindow());
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Docs().Count(), 1);

    messages_.Answer(MsgResult::No);
    EXPECT_TRUE(CloseMainWindow());
    EXPECT_EQ(Docs().Count(), 0);
    EXPECT_EQ(messages_.Count(), 2);
}

TEST_F(AppTest, StructureAndBookmarkCollectionsJoinTheExitQuestions)
{
    ASSERT_TRUE(Start());
    QStringList asked;
    bool bookmarksAnswer = false;
    app_->SetCollectionSaveHooks([&] { asked << "structures"; return true; },
                                 [&] { asked << "bookmarks"; return bookmarksAnswer; });
    EXPECT_FALSE(CloseMainWindow());
    EXPECT_EQ(asked, QStringList({"structures", "bookmarks"}));
    bookmarksAnswer = true;
    EXPECT_TRUE(CloseMainWindow());
}

// ---------------------------------------------------------------- open

TEST_F(AppTest, OpenDialogsReadOnlyBoxMarksTheDocumentAndIsRemembered)
{
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b.bin", "b");
    ASSERT_TRUE(Start());
    dialogs_->openAnswers.push_back(OpenFileChoice{a, true});
    Trigger(Cmd::FileOpen);
    ASSERT_NE(ActiveDoc(), nullptr);
    EXPECT_TRUE(ActiveDoc()->IsReadOnly());
    EXPECT_TRUE(Context().settings.readOnly);
    EXPECT_FALSE(Frame()->Action(Cmd::FileSave)->isEnabled());

    dialogs_->openAnswers.push_back(OpenFileChoice{b, false});
    Trigger(Cmd::FileOpen);
    EXPECT_EQ(ActiveDoc()->PathName(), b);
    EXPECT_FALSE(ActiveDoc()->IsReadOnly());
    EXPECT_FALSE(Context().settings.readOnly);
    EXPECT_TRUE(Frame()->Action(Cmd::FileSave)->isEnabled());

    Trigger(Cmd::FileOpen);  // cancelled
    EXPECT_EQ(dialogs_->openAsked, 3);
    EXPECT_EQ(Docs().Count(), 2);
}

TEST_F(AppTest, OpeningAFileThatIsOpenAlreadyActivatesIt)
{
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b.bin", "b");
    ASSERT_TRUE(Start({a, b}));
    EXPECT_EQ(ActiveDoc()->PathName(), b);
    ASSERT_NE(Docs().OpenDocumentFile(files_.path() + "/./a.bin"), nullptr);
    EXPECT_EQ(Docs().Count(), 2);
    EXPECT_EQ(ActiveDoc()->PathName(), a);
}

TEST_F(AppTest, RecentFilesAreListedAndAVanishedOneIsDropped)
{
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b.bin", "b");
    ASSERT_TRUE(Start({a, b}));
    EXPECT_EQ(Context().settings.recentFiles, QStringList({b, a}));
    emit Part<QMenu>("File")->aboutToShow();
    QStringList texts;
    for (QAction* action : Part<QMenu>("File")->actions())
        texts << action->text();
    EXPECT_TRUE(texts.contains("&1 " + b));
    EXPECT_TRUE(texts.contains("&2 " + a));
    EXPECT_EQ(texts.last(), "E&xit");

    messages_.Answer(MsgResult::No);
    Trigger(Cmd::FileCloseAll);
    QFile::remove(b);
    emit Frame()->recentFileChosen(b);
    EXPECT_EQ(messages_.Count(), 1) << "the open failure is reported";
    EXPECT_EQ(Context().settings.recentFiles, QStringList{a});
    emit Frame()->recentFileChosen(a);
    EXPECT_EQ(ActiveDoc()->PathName(), a);
}

// ---------------------------------------------------------------- several windows

TEST_F(AppTest, OnlyTheLastWindowOfADocumentAsksToSave)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "abc")}));
    Modify(ActiveDoc());
    Trigger(Cmd::WindowNew);
    ASSERT_EQ(Frame()->Frames().size(), 2u);
    Frame()->UpdateCommands();
    EXPECT_EQ(Frame()->Frames()[0]->TitleText(), "a.bin:1*");
    EXPECT_EQ(Frame()->Frames()[1]->TitleText(), "a.bin:2*");

    Frame()->Frames()[1]->close();
    EXPECT_TRUE(messages_.Messages().empty());
    ASSERT_EQ(Frame()->Frames().size(), 1u);
    EXPECT_EQ(Frame()->Frames()[0]->TitleText(), "a.bin*");

    messages_.Answer(MsgResult::No);
    Frame()->Frames()[0]->close();
    EXPECT_EQ(messages_.Count(), 1);
    EXPECT_EQ(Docs().Count(), 0);
}

TEST_F(AppTest, SplitAddsASecondPaneAndRemovesItAgain)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", QByteArray(500, 'x'))}));
    CBinEditFrame* frame = Frame()->ActiveFrame();
    Trigger(Cmd::WindowSplit);
    ASSERT_EQ(frame->Panes().size(), 2u);
    EXPECT_TRUE(Frame()->Action(Cmd::WindowSplit)->isChecked());
    EXPECT_EQ(ActiveDoc()->Views().size(), 2u);
    EXPECT_EQ(frame->Panes()[0]->SplitPartner(), frame->Panes()[1]);
    Trigger(Cmd::WindowSplit);
    EXPECT_EQ(frame->Panes().size(), 1u);
    EXPECT_EQ(ActiveDoc()->Views().size(), 1u);
    EXPECT_FALSE(Frame()->Action(Cmd::WindowSplit)->isChecked());
    EXPECT_EQ(Frame()->ActiveView(), frame->Panes()[0]);
}
