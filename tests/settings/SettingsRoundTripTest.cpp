// Every key written and read back through a real INI file.
#include "SettingsTestSupport.h"
#include "platform/FileNames.h"

#include <QDir>
#include <QFile>

namespace {

// Every field set to a value that differs from its default.
AppSettings NonDefaultSettings()
{
    AppSettings s;
    s.readOnly = true; s.insertMode = true; s.multipleInstances = false; s.overstrikeOnStartup = false;
    s.replaceSelection = true; s.dragAndDrop = false; s.showAllChars = true; s.scrollTracking = false;
    s.warnCantUndo = false; s.undoLevels = 500; s.redoLevels = 250; s.extentThresholdMiB = 8; s.blockCacheMiB = 256;
    s.newFile = true; s.pasteOverwrite = true;
    s.promptForPasteMode = false; s.addToExplorerMenu = true; s.flickerFreePainting = false; s.printBlackWhite = true;
    s.bytesPerRow = 32; s.groupBy = 2; s.sizeToFit = true; s.showDash = false; s.showSizeBar = true; s.columns = 1;
    s.offsetFormat = 0;
    for (int i = 0; i < AppSettings::UsedColorCount; ++i)
        s.colors[i] = i % 2 ? uint32_t(0x010203 * (i + 1)) : SystemColor(20 + i);
    for (uint32_t& color : s.userColors)
        color ^= 0x0F0F0F;
    s.font2.height = -31; s.font2.weight = 700; s.font2.italic = 1; s.font2.faceName[0] = u'Z';
    s.statusFormat = 0; s.posSelStyle = 1; s.fileFilters = "Text (*.txt;*.log)|*.txt;*.log|All|*||";
    s.goToRadix = 10; s.findType = 2; s.findText = "needle, ü"; s.findUnicode = true; s.findTextBigEndian = true;
    s.findValue = "0x7F"; s.findValueType = 5; s.findValueBigEndian = true; s.findData = QByteArray("\0a\xFF", 3);
    s.findHexCol = false; s.matchCase = true; s.replaceType = 1; s.replaceText = "@hay"; s.replaceUnicode = true;
    s.replaceTextBigEndian = true; s.replaceValue = "-1"; s.replaceValueType = 3; s.replaceValueBigEndian = true;
    s.replaceData = "xyz"; s.replaceHexCol = false; s.modifyCountRadix = 10; s.modifyCount = 9; s.modifyType = 4;
    s.modifyAction = 6; s.actionValue = "12"; s.modifyBigEndian = true; s.modifyValue = true; s.modifyAction2 = 2;
    s.actionValue2 = "3"; s.insertCountRadix = 8; s.insertCount = 64; s.insertType = 7; s.insertValue = "0x55";
    s.insertBigEndian = true; s.deleteCountRadix = 10; s.deleteCount = 4; s.deleteType = 1; s.minMatchLen = 8;
    s.sideBySide = true; s.bookmarksOffsetRadix = 10; s.bookmarksLengthRadix = 8; s.reloadBookmarks = true;
    s.bookmarksFile = "/tmp/marks.bmk"; s.reloadStructures = true; s.structuresFile = "/tmp/layouts.str";
    s.hiddenTypes = "Byte{@::}1{@::}QWord{@::}8";
    s.windowPos = WindowRect{-8, 4, 1000, 700}; s.windowMax = true; s.dataViewType = 1; s.dataSplitterPos = 120;
    s.dataHexadecimal = true; s.dataBigEndian = true; s.structSplitterPos = 90; s.structExpandArrays = true;
    s.structHexadecimal = true; s.structBigEndian = true; s.structCurrent = "Header";
    s.recentFiles = {"/one", "/two", "/three", "/four"};
    s.tools = {{"Editor", "/usr/bin/vi", "{@CurFileDir}", "{@CurFilePath}", true}, {"Echo", "echo", "", "x y", false}};
    return s;
}

const QStringList kSettingsKeys = {
    "ReadOnly", "InsertMode", "MultipleInstances", "OverstrikeOnStartup", "ReplaceSelection", "DragAndDrop",
    "ShowAllChars", "ScrollTracking", "WarnCantUndo", "UndoLevels", "RedoLevels", "ExtentThresholdMiB",
    "BlockCacheMiB", "NewFile", "PasteOverwrite",
    "PromptForPasteMode", "AddToExplorerMenu", "FlickerFreePainting", "PrintBlackWhite", "BytesPerRow", "GroupBy",
    "SizeToFit", "ShowDash", "ShowSizeBar", "Columns", "OffsetFormat", "OffsetTextColor", "OddTextColor",
    "EvenTextColor", "AsciiTextColor", "BackgroundColor", "SelTextColor", "SelBackgroundColor", "SelTextInactive",
    "SelBackgroundInactive", "DataTextColor", "DataBackgroundColor", "SizeBarColor", "UserColors", "Font2",
    "StatusFormat", "PosSelStyle", "FileFilters", "GoToRadix", "FindType", "FindText", "FindUnicode",
    "FindTextBigEndian", "FindValue", "FindValueType", "FindValueBigEndian", "FindData", "FindHexCol", "MatchCase",
    "ReplaceType", "ReplaceText", "ReplaceUnicode", "ReplaceTextBigEndian", "ReplaceValue", "ReplaceValueType",
    "ReplaceValueBigEndian", "ReplaceData", "ReplaceHexCol", "ModifyCountRadix", "ModifyCount", "ModifyType",
    "ModifyAction", "ActionValue", "ModifyBigEndian", "ModifyValue", "ModifyAction2", "ActionValue2",
    "InsertCountRadix", "InsertCount", "InsertType", "InsertValue", "InsertBigEndian", "DeleteCountRadix",
    "DeleteCount", "DeleteType", "MinMatchLen", "SideBySide", "BookmarksOffsetRadix", "BookmarksLengthRadix",
    "ReloadBookmarks", "BookmarksFile", "ReloadStructures", "StructuresFile", "HiddenTypes", "WindowPos", "WindowMax",
    "DataViewType", "DataSplitterPos", "DataHexadecimal", "DataBigEndian", "StructSplitterPos", "StructExpandArrays",
    "StructHexadecimal", "StructBigEndian", "StructCurrent"};

QStringList KeysOf(QSettings& store, const QString& group)
{
    store.beginGroup(group);
    QStringList keys = store.childKeys();
    store.endGroup();
    keys.sort();
    return keys;
}

} // namespace

TEST_F(SettingsFileTest, EveryKeyRoundTripsThroughAnIniFile)
{
    const AppSettings original = NonDefaultSettings();
    Save(original);
    const AppSettings loaded = Load();
    EXPECT_TRUE(loaded == original);
    EXPECT_EQ(loaded.tools, original.tools);
    EXPECT_EQ(loaded.recentFiles, original.recentFiles);

    // Saved again, the reloaded record must store every key exactly as before.
    Save(loaded, "again.ini");
    auto first = Open();
    for (const QString& key : first->allKeys())
        EXPECT_EQ(first->value(key), Stored(key, "again.ini")) << key.toStdString();
}

TEST_F(SettingsFileTest, EveryKeyIsStoredUnderItsNameAndTheTestCoversAllOfThem)
{
    Save(AppSettings{}, "defaults.ini");
    Save(NonDefaultSettings());
    QStringList expected = kSettingsKeys;
    expected.sort();
    EXPECT_EQ(KeysOf(*Open(), "Settings"), expected);
    EXPECT_EQ(KeysOf(*Open(), "ExternalTools").size(), 10);
    // Each stored value must differ from the default one, or the round trip
    // above would not prove that key is read back.
    for (const QString& key : kSettingsKeys)
        EXPECT_NE(Stored(key), Stored(key, "defaults.ini")) << key.toStdString();
}

TEST_F(SettingsFileTest, ValuesUseTheStoreKinds)
{
    Save(NonDefaultSettings());
    EXPECT_EQ(Stored("ReadOnly").toString(), "1");
    EXPECT_EQ(Stored("ShowDash").toString(), "0");
    EXPECT_EQ(Stored("BackgroundColor").toString(), QString::number(int32_t(SystemColor(24))));
    EXPECT_EQ(Stored("Font2").toByteArray().size(), 92);
    EXPECT_EQ(Stored("UserColors").toByteArray().size(), 64);
    EXPECT_EQ(Stored("WindowPos").toByteArray(), Int32Bytes({-8, 4, 1000, 700}));
    EXPECT_EQ(Stored("ExternalTools/PromptForArgs1").toString(), "1");
}

TEST_F(SettingsFileTest, SaveSettingsLeavesTheMainWindowGroupToTheMainWindow)
{
    auto store = Open();
    EXPECT_TRUE(SaveSettings(NonDefaultSettings(), *store));
    EXPECT_FALSE(store->contains("Settings/WindowPos"));
    EXPECT_FALSE(store->contains("Settings/StructCurrent"));
    // Without a rectangle the main window keeps the one already stored.
    EXPECT_TRUE(SaveMainWindowSettings(NonDefaultSettings(), *store));
    EXPECT_TRUE(SaveMainWindowSettings(AppSettings{}, *store));
    EXPECT_EQ(store->value("Settings/WindowPos").toByteArray(), Int32Bytes({-8, 4, 1000, 700}));
}

TEST_F(SettingsFileTest, DeletedToolsAreRenumberedOnSave)
{
    AppSettings s = NonDefaultSettings();
    s.tools.push_back({"Third", "/bin/ls", "", "", false});
    Save(s);
    s.tools.erase(s.tools.begin() + 1);
    Save(s);
    EXPECT_EQ(Stored("ExternalTools/Title2").toString(), "Third");
    EXPECT_FALSE(Stored("ExternalTools/Title3").isValid());
    EXPECT_EQ(Load().tools, s.tools);
}

TEST_F(SettingsFileTest, AStoreThatCannotBeWrittenIsReportedNotFatal)
{
    ASSERT_TRUE(QDir(IniPath()).mkpath("."));  // a folder where the file should be
    auto store = Open();
    EXPECT_FALSE(SaveSettings(NonDefaultSettings(), *store));
}

// File names are texts in the store, which cannot carry bytes that are not
// UTF-8. Read from a copy of the file, so the bytes on disk are what is read
// (the toolkit keeps the values it wrote in memory).
TEST_F(SettingsFileTest, FileNamesKeepTheirExactBytesOnDiskAndOldEntriesStayReadable)
{
    const QByteArray names[] = {"/tmp/plain.bin", "/tmp/caf\xc3\xa9.bin", "/tmp/a\xff" "b.bin", "/tmp/\xc3\x28.bin",
                                "/tmp/@ByteArray(x)", "/tmp/a, b"};
    AppSettings settings;
    for (const QByteArray& name : names)
        settings.recentFiles.append(platform::DecodeFileName(name));
    settings.recentFiles = settings.recentFiles.mid(0, kRecentFileCount);
    settings.bookmarksFile = platform::DecodeFileName("/tmp/marks\xfe.bmk");
    settings.structuresFile = platform::DecodeFileName("/tmp/\xc3\x28.str");
    // A user tool's program and folder, as Browse or {@CurFileDir} give them.
    const QByteArray tools[][2] = {{"/opt/t\xff/run", "/srv/\xc3\x28"}, {"/usr/bin/plain", "{@CurFileDir}/caf\xc3\xa9"}};
    for (const auto& [command, folder] : tools)
        settings.tools.push_back({"Tool", platform::DecodeFileName(command), platform::DecodeFileName(folder), "", false});
    Save(settings);
    ASSERT_TRUE(QFile::copy(IniPath(), IniPath("copy.ini")));
    const AppSettings loaded = Load("copy.ini");
    ASSERT_EQ(loaded.recentFiles.size(), kRecentFileCount);
    for (int i = 0; i < kRecentFileCount; ++i)
        EXPECT_EQ(platform::EncodeFileName(loaded.recentFiles[i]), names[i]) << names[i].toHex().constData();
    EXPECT_EQ(platform::EncodeFileName(loaded.bookmarksFile), "/tmp/marks\xfe.bmk");
    EXPECT_EQ(platform::EncodeFileName(loaded.structuresFile), "/tmp/\xc3\x28.str");
    ASSERT_EQ(loaded.tools.size(), std::size(tools));
    for (size_t i = 0; i < std::size(tools); ++i) {
        EXPECT_EQ(platform::EncodeFileName(loaded.tools[i].command), tools[i][0]);
        EXPECT_EQ(platform::EncodeFileName(loaded.tools[i].initialDir), tools[i][1]);
    }

    // Names that are UTF-8 stay plain texts, as older versions wrote them.
    EXPECT_EQ(Stored("Recent File List/File2").typeId(), QMetaType::QString);
    EXPECT_EQ(Stored("ExternalTools/Command2").typeId(), QMetaType::QString);
    EXPECT_EQ(Stored("ExternalTools/InitialDir2").typeId(), QMetaType::QString);
    QFile ini(IniPath("old.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Recent File List]\nFile1=/tmp/old one.bin\nFile2=/tmp/caf\xc3\xa9.bin\n"
              "[ExternalTools]\nTitle1=Old\nCommand1=/usr/bin/old tool\nInitialDir1=/tmp/caf\xc3\xa9\n");
    ini.close();
    const AppSettings old = Load("old.ini");
    EXPECT_EQ(old.recentFiles, QStringList({"/tmp/old one.bin", QString::fromUtf8("/tmp/caf\xc3\xa9.bin")}));
    ASSERT_EQ(old.tools.size(), 1u);
    EXPECT_EQ(old.tools[0].command, "/usr/bin/old tool");
    EXPECT_EQ(old.tools[0].initialDir, QString::fromUtf8("/tmp/caf\xc3\xa9"));
}
