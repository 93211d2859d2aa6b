// The Options dialog through the running program: its pages driven with
// Qt Test, OK applying to open views, Cancel changing nothing, the page
// remembered, and layout files saved and loaded.
#include "AppTestSupport.h"
#include "app/ColorComboBox.h"
#include "app/DisplayChoices.h"
#include "app/FileFiltersDlg.h"
#include "app/LayoutFile.h"
#include "app/OptionsDisplayPage.h"
#include "app/OptionsDlg.h"
#include "app/OptionsFileFiltersPage.h"
#include "app/OptionsFontPage.h"
#include "app/OptionsGeneralPage.h"
#include "app/OptionsStatusPage.h"
#include "core/BinEditDoc.h"
#include "core/BlockCache.h"
#include "platform/DesktopEntry.h"
#include "ScopedEnv.h"
#include "tooldialogs/IntEdit.h"
#include "view/BinEditView.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <functional>

namespace {

QList<int> ListNumbers(const QComboBox* list)
{
    QList<int> numbers;
    for (int i = 0; i < list->count(); ++i)
        numbers << list->itemText(i).toInt();
    return numbers;
}

class OptionsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ui_.otherwise = {};  // every dialog is scripted
    }

    // Runs the Options command with a driver for the dialog.
    void RunOptions(std::function<int(COptionsDlg&)> driver)
    {
        ui_.Then([driver](QDialog& dialog) {
            auto* options = qobject_cast<COptionsDlg*>(&dialog);
            EXPECT_NE(options, nullptr);
            return options ? driver(*options) : int(QDialog::Rejected);
        });
        Trigger(Cmd::ToolsOptions);
        EXPECT_TRUE(ui_.Done()) << "the Options dialog did not open";
    }

    static int Ok(COptionsDlg& dialog)
    {
        dialog.Buttons()->button(QDialogButtonBox::Ok)->click();
        return dialog.result();
    }
};

} // namespace

TEST_F(OptionsTest, FivePagesInOrderAndThePageIsRemembered)
{
    ASSERT_TRUE(Start());
    RunOptions([](COptionsDlg& d) {
        QStringList tabs;
        for (int i = 0; i < d.Tabs()->count(); ++i)
            tabs << d.Tabs()->tabText(i);
        EXPECT_EQ(tabs, QStringList({"General", "Display", "Font", "Status", "File Types"}));
        EXPECT_EQ(d.Tabs()->currentIndex(), 0);
        d.Tabs()->setCurrentIndex(3);
        d.reject();
        return d.result();
    });
    RunOptions([](COptionsDlg& d) {
        EXPECT_EQ(d.Tabs()->currentIndex(), 3) << "opens on the page shown last";
        d.Tabs()->setCurrentIndex(4);
        return Ok(d);
    });
    RunOptions([](COptionsDlg& d) {
        EXPECT_EQ(d.Tabs()->currentIndex(), 4);
        d.reject();
        return d.result();
    });
}

// The General page's boxes as the user reads them, in page order, with the
// words of this desktop: file managers offer the program in "Open With".
TEST_F(OptionsTest, GeneralPageNamesItsChoicesInThisDesktopsWords)
{
    QTemporaryDir dataHome;
    ScopedEnv xdg("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    ASSERT_TRUE(Start());
    const QStringList expected = {
        "&Create new file on startup", "Offer in fil&e managers' Open With menu", "Allow &multiple instances",
        "&Flicker-free screen updates", "Pri&nt in black and white", "&Scroll tracking", "Show &all characters",
        "S&how standard toolbar", "Show boo&kmarks toolbar", "Show status &bar", "&Overstrike mode on startup",
        "O&verwrite paste mode", "&Prompt for paste mode", "&Typing replaces selection", "&Drag and drop editing",
        "&Warn when cannot undo"};
    RunOptions([&](COptionsDlg& d) {
        auto* general = d.findChild<COptionsGeneral*>();
        EXPECT_NE(general, nullptr);
        if (!general)
            return int(QDialog::Rejected);
        QStringList texts;
        for (const QCheckBox* box : general->Boxes())
            texts << box->text();
        EXPECT_EQ(texts, expected);
        general->Boxes().at(1)->setChecked(true);
        return Ok(d);
    });
    // The box writes the desktop entry and keeps its old setting's key.
    EXPECT_TRUE(QFile::exists(platform::DesktopEntryPath())) << platform::DesktopEntryPath().toStdString();
    EXPECT_TRUE(Context().settings.addToExplorerMenu);
}

TEST_F(OptionsTest, BytesPerRowFollowGroupSizeAndAutoFit)
{
    ASSERT_TRUE(Start());
    RunOptions([](COptionsDlg& d) {
        COptionsDisplay* page = d.Display();
        EXPECT_EQ(page->BytesPerRowList()->currentText(), "16");
        page->GroupByList()->setCurrentIndex(2);
        QList<int> fours;
        for (int n = 4; n <= 256; n += 4)
            fours << n;
        EXPECT_EQ(ListNumbers(page->BytesPerRowList()), fours);
        EXPECT_EQ(page->BytesPerRowList()->currentText(), "16");
        page->BytesPerRowList()->setCurrentIndex(4);  // 20
        page->GroupByList()->setCurrentIndex(3);
        EXPECT_EQ(page->BytesPerRowList()->currentText(), "16") << "the largest entry not above 20";
        page->GroupByList()->setCurrentIndex(0);
        QList<int> all;
        for (int n = 2; n <= 256; ++n)
            all << n;
        EXPECT_EQ(ListNumbers(page->BytesPerRowList()), all);
        page->AutoFitBox()->setChecked(true);
        EXPECT_FALSE(page->BytesPerRowList()->isEnabled());
        page->AutoFitBox()->setChecked(false);
        EXPECT_TRUE(page->BytesPerRowList()->isEnabled());
        d.reject();
        return d.result();
    });
}

TEST_F(OptionsTest, CancelChangesNothing)
{
    ASSERT_TRUE(Start());
    const AppSettings before = Context().settings;
    RunOptions([](COptionsDlg& d) {
        d.General()->UndoField()->SetValue(5);
        d.Display()->GroupByList()->setCurrentIndex(3);
        d.Display()->ColorList()->setCurrentIndex(13);
        emit d.Display()->ColorList()->activated(13);
        d.reject();
        return d.result();
    });
    EXPECT_TRUE(Context().settings == before);
}

// Each number field refuses values outside its range with the range named,
// brings its page to the front, and once all are right the values apply to
// the open documents and to the files opened next.
TEST_F(OptionsTest, NumberFieldsAreCheckedAndApplyToDocuments)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "abc")}));
    struct Wrong {
        CIntEdit* (COptionsGeneral::*field)() const;
        const char* text;
        const char* message;
    };
    const Wrong wrongs[] = {
        {&COptionsGeneral::UndoField, "1001", "Please enter an integer between 0 and 1000."},
        {&COptionsGeneral::RedoField, "-1", "Please enter an integer between 0 and 1000."},
        {&COptionsGeneral::LargeFileField, "2049", "Please enter an integer between 0 and 2048."},
        {&COptionsGeneral::ReadCacheField, "0", "Please enter an integer between 1 and 4096."},
    };
    RunOptions([&](COptionsDlg& d) {
        COptionsGeneral* page = d.General();
        for (const Wrong& wrong : wrongs) {
            (page->*wrong.field)()->SetText(QString::fromLatin1(wrong.text));
            d.Tabs()->setCurrentIndex(2);
            d.Buttons()->button(QDialogButtonBox::Ok)->click();
            EXPECT_EQ(messages_.Last(), wrong.message) << wrong.text;
            EXPECT_EQ(d.Tabs()->currentIndex(), 0) << "the page with the wrong value comes to the front";
            EXPECT_NE(d.result(), int(QDialog::Accepted));
            (page->*wrong.field)()->SetValue(10);
        }
        page->RedoField()->SetValue(50);
        page->LargeFileField()->SetValue(1);
        page->ReadCacheField()->SetValue(3);
        return Ok(d);
    });
    EXPECT_EQ(messages_.Count(), int(std::size(wrongs)));
    EXPECT_EQ(Context().settings.undoLevels, 10);
    EXPECT_EQ(Context().settings.redoLevels, 10) << "redo never keeps more steps than undo";
    EXPECT_EQ(Context().settings.extentThresholdMiB, 1);
    EXPECT_EQ(Context().settings.blockCacheMiB, 3);
    ASSERT_TRUE(ActiveDoc());
    EXPECT_EQ(ActiveDoc()->UndoList().Capacity(), 11) << "open documents take the new levels";
    EXPECT_EQ(ActiveDoc()->RedoList().Capacity(), 11);
    EXPECT_EQ(Docs().BlockCache().CapacityBytes(), 3 << 20);

    // A file above the new size opens as one extent; one at it is read wholly.
    CBinEditDoc* big = Docs().OpenDocumentFile(MakeFile("big.bin", QByteArray((1 << 20) + 1, 'b')));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->Buffer().ExtentCount(), 1);
    CBinEditDoc* small = Docs().OpenDocumentFile(MakeFile("small.bin", QByteArray(1 << 20, 's')));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->Buffer().ExtentCount(), 0);
}

TEST_F(OptionsTest, OkAppliesLayoutAndColoursToOpenViews)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", QByteArray(256, 'x'))}));
    CBinEditView* view = Frame()->ActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->BytesPerRow(), 16);
    RunOptions([](COptionsDlg& d) {
        COptionsDisplay* page = d.Display();
        page->BytesPerRowList()->setCurrentText("8");
        page->ItemList()->setCurrentRow(AppSettings::BackgroundColor);
        EXPECT_EQ(page->ColorList()->currentText(), "Automatic");
        const int red = page->ColorList()->findText("Red");
        page->ColorList()->setCurrentIndex(red);
        emit page->ColorList()->activated(red);
        for (QCheckBox* box : d.General()->findChildren<QCheckBox*>())
            if (box->text() == "S&how standard toolbar")
                box->setChecked(false);
        return Ok(d);
    });
    EXPECT_EQ(Context().settings.bytesPerRow, 8);
    EXPECT_EQ(Context().settings.colors[AppSettings::BackgroundColor], 0x0000FFu);
    EXPECT_EQ(view->BytesPerRow(), 8);
    EXPECT_FALSE(Part<QToolBar>("Standard")->isVisibleTo(Frame()));
    // The far right of the window shows the background: no text reaches it.
    const QImage image = view->grab().toImage();
    const QColor corner = image.pixelColor(image.width() - 30, image.height() / 2);
    EXPECT_EQ(corner, QColor(Qt::red)) << corner.name().toStdString();
}

TEST_F(OptionsTest, ColourListShowsCustomOnlyForOtherColours)
{
    ASSERT_TRUE(Start());
    Context().settings.colors[AppSettings::OffsetTextColor] = 0x123456;
    RunOptions([](COptionsDlg& d) {
        CColorComboBox* colors = d.Display()->ColorList();
        EXPECT_EQ(colors->count(), 18);
        EXPECT_EQ(colors->currentText(), "Custom");
        EXPECT_EQ(colors->itemText(0), "Automatic");
        EXPECT_EQ(colors->itemText(16), "White");
        emit colors->activated(1);  // Black
        EXPECT_EQ(colors->count(), 17) << "Custom leaves the list once a named colour is chosen";
        d.Display()->ItemList()->setCurrentRow(AppSettings::SizeBarColor);
        EXPECT_EQ(colors->currentText(), "Light Gray");
        d.Display()->ItemList()->setCurrentRow(AppSettings::OffsetTextColor);
        EXPECT_EQ(colors->currentText(), "Black");
        return Ok(d);
    });
    EXPECT_EQ(Context().settings.colors[AppSettings::OffsetTextColor], 0u);
}

TEST_F(OptionsTest, FileTypesAreEditedAndWrittenBack)
{
    ASSERT_TRUE(Start());
    RunOptions([this](COptionsDlg& d) {
        // The entry dialog: a "|" is refused, then blanks leave the specifications.
        ui_.Then([this](QDialog& dialog) {
            auto* entry = qobject_cast<CFileFiltersDlg*>(&dialog);
            EXPECT_EQ(dialog.windowTitle(), "Add File Types");
            QPushButton* ok = entry->Buttons()->button(QDialogButtonBox::Ok);
            EXPECT_FALSE(ok->isEnabled());
            entry->DescriptionEdit()->setText("Text | Files");
            EXPECT_FALSE(ok->isEnabled());
            entry->SpecsEdit()->setText("  *.txt; *.log ");
            EXPECT_TRUE(ok->isEnabled());
            ok->click();
            EXPECT_TRUE(messages_.Last().startsWith("Illegal characters.")) << messages_.Last().toStdString();
            entry->DescriptionEdit()->setText(" Text Files ");
            ok->click();
            return dialog.result();
        });
        COptionsFileFilters* page = d.FileTypes();
        EXPECT_EQ(page->List()->count(), 1);
        EXPECT_EQ(page->List()->item(0)->text(), "All Files (*.*)");
        EXPECT_FALSE(page->UpButton()->isEnabled());
        page->AddButton()->click();
        EXPECT_EQ(page->List()->currentItem()->text(), "Text Files (*.txt;*.log)");
        EXPECT_TRUE(page->UpButton()->isEnabled());
        EXPECT_FALSE(page->DownButton()->isEnabled());
        page->UpButton()->click();
        EXPECT_EQ(page->List()->currentRow(), 0);
        return Ok(d);
    });
    EXPECT_EQ(Context().settings.fileFilters, "Text Files (*.txt;*.log)|*.txt;*.log|All Files (*.*)|*.*||");

    messages_.Answer(platform::MsgResult::No);
    messages_.Answer(platform::MsgResult::Yes);
    messages_.Answer(platform::MsgResult::Yes);
    RunOptions([this](COptionsDlg& d) {
        COptionsFileFilters* page = d.FileTypes();
        page->DeleteButton()->click();
        EXPECT_EQ(page->List()->count(), 2) << "No keeps the entry";
        EXPECT_EQ(messages_.Last(), "Are you sure you want to delete the selected item?");
        page->DeleteButton()->click();
        page->DeleteButton()->click();
        EXPECT_EQ(page->List()->count(), 0);
        EXPECT_FALSE(page->EditButton()->isEnabled());
        return Ok(d);
    });
    EXPECT_EQ(Context().settings.fileFilters, "All Files (*.*)|*.*||");
}

TEST_F(OptionsTest, LayoutFilesSaveAndLoadThroughThePage)
{
    ASSERT_TRUE(Start());
    const QString saved = files_.filePath("mine.lay");
    ui_.ThenFile(saved);
    LayoutValues shown;
    RunOptions([&shown](COptionsDlg& d) {
        COptionsDisplay* page = d.Display();
        page->GroupByList()->setCurrentIndex(1);
        page->BytesPerRowList()->setCurrentText("24");
        page->ItemList()->setCurrentRow(AppSettings::SelBackgroundColor);
        emit page->ColorList()->activated(page->ColorList()->findText("Olive"));
        page->SaveLayout();
        shown = page->Values();
        d.reject();
        return d.result();
    });
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, EncodeLayoutFile(shown));
    EXPECT_EQ(shown.colors[AppSettings::SelBackgroundColor], 0x008080u);
    EXPECT_EQ(Context().settings.bytesPerRow, 16) << "saving a layout changes no setting";

    const QString corrupt = MakeFile("bad.lay", QByteArray("LAYT\1\0\0\0", 8));
    const QString other = MakeFile("new.lay", QByteArray("LAYT\2\0\0\0", 8));
    RunOptions([&, this](COptionsDlg& d) {
        COptionsDisplay* page = d.Display();
        const LayoutValues before = page->Values();
        ui_.ThenFile(corrupt);
        page->LoadLayout();
        EXPECT_EQ(messages_.Last(), "Unable to read file: File is corrupt or is not a valid layout data file.");
        ui_.ThenFile(other);
        page->LoadLayout();
        EXPECT_TRUE(messages_.Last().contains("unrecognized format scheme"));
        ui_.ThenFile(files_.filePath("missing.lay"));
        page->LoadLayout();
        EXPECT_TRUE(messages_.Last().contains("missing.lay")) << messages_.Last().toStdString();
        EXPECT_EQ(page->Values(), before) << "a refused file leaves the page as it was";
        ui_.ThenFile(saved);
        page->LoadLayout();
        EXPECT_EQ(page->Values(), shown);
        EXPECT_EQ(page->BytesPerRowList()->currentText(), "24");
        EXPECT_EQ(page->GroupByList()->currentIndex(), 1);
        return Ok(d);
    });
    EXPECT_EQ(Context().settings.bytesPerRow, 24);
    EXPECT_EQ(Context().settings.groupBy, 1);
    EXPECT_EQ(Context().settings.colors[AppSettings::SelBackgroundColor], 0x008080u);
    EXPECT_EQ(ui_.FileTitles(),
              QStringList({"Save Layout", "Load Layout", "Load Layout", "Load Layout", "Load Layout"}));
}

TEST_F(OptionsTest, FontSizeSetsTheRecordHeightAndBadSizesKeepThePrevious)
{
    ASSERT_TRUE(Start());
    int dpi = 0;
    RunOptions([&dpi](COptionsDlg& d) {
        COptionsFont* page = d.FontPage();
        dpi = page->logicalDpiY();
        page->SizeList()->setCurrentText("20");
        page->SizeList()->setCurrentText("5000");
        page->SizeList()->setCurrentText("0");
        EXPECT_EQ(page->Record().height, FontHeightForTwips(400, dpi));
        EXPECT_EQ(page->Sample()->font().pixelSize(), -FontHeightForTwips(400, dpi));
        return Ok(d);
    });
    EXPECT_EQ(Context().settings.font2.height, FontHeightForTwips(400, dpi));
}

TEST_F(OptionsTest, TheChoicesSurviveARestart)
{
    ASSERT_TRUE(Start());
    ui_.Then([](QDialog& dialog) {
        auto& d = static_cast<COptionsDlg&>(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Options");
        d.General()->UndoField()->SetValue(40);
        d.Status()->findChildren<QRadioButton*>().at(0)->setChecked(true);
        d.Display()->GroupByList()->setCurrentIndex(3);
        return Ok(d);
    });
    Trigger(Cmd::ToolsOptions);
    EXPECT_TRUE(ui_.Done());
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Context().settings.undoLevels, 40);
    EXPECT_EQ(Context().settings.redoLevels, 40);
    EXPECT_EQ(Context().settings.statusFormat, 0);
    EXPECT_EQ(Context().settings.groupBy, 3);
    EXPECT_EQ(Context().settings.bytesPerRow, 16);
}

TEST_F(OptionsTest, CustomColourComesFromTheColourChooserWithTheCustomColours)
{
    ASSERT_TRUE(Start());
    RunOptions([this](COptionsDlg& d) {
        ui_.Then([](QDialog& dialog) {
            auto& chooser = static_cast<QColorDialog&>(dialog);
            EXPECT_EQ(QColorDialog::customColor(1), QColor(0xC0, 0xC0, 0xFF)) << "0xFFC0C0 is red C0, green C0, blue FF";
            QColorDialog::setCustomColor(15, QColor(1, 2, 3));
            chooser.setCurrentColor(QColor(0x12, 0x34, 0x56));
            chooser.accept();
            return chooser.result();
        });
        COptionsDisplay* page = d.Display();
        page->ItemList()->setCurrentRow(AppSettings::AsciiTextColor);
        page->CustomColorButton()->click();
        EXPECT_EQ(page->ColorList()->currentText(), "Custom");
        return Ok(d);
    });
    EXPECT_EQ(Context().settings.colors[AppSettings::AsciiTextColor], 0x563412u);
    EXPECT_EQ(Context().settings.userColors[15], 0x030201u);
    EXPECT_EQ(Context().settings.userColors[1], 0xFFC0C0u);
}
