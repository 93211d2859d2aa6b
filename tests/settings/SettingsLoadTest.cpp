// Load-time corrections and the sections with their own rules: user tools,
// recent files, byte blocks and the window placement.
#include "SettingsTestSupport.h"

#include <QFile>

TEST_F(SettingsFileTest, ColumnsWithoutEitherColumnBitLoadAsBoth)
{
    const std::pair<int, int> cases[] = {{4, 3}, {0, 3}, {1, 1}, {2, 2}, {3, 3}, {6, 2}};
    for (const auto& [stored, loaded] : cases) {
        Put("Columns", stored);
        EXPECT_EQ(Load().columns, loaded) << "stored " << stored;
    }
}

TEST_F(SettingsFileTest, MinMatchLenAndFileFiltersFallBackToTheirDefaults)
{
    Put("MinMatchLen", 0);
    Put("FileFilters", QString());
    EXPECT_EQ(Load().minMatchLen, 16);
    EXPECT_EQ(Load().fileFilters, "All Files (*.*)|*.*||");
    Put("MinMatchLen", -3);
    EXPECT_EQ(Load().minMatchLen, 16);
    Put("MinMatchLen", 5);
    Put("FileFilters", "Images (*.png)|*.png||");
    EXPECT_EQ(Load().minMatchLen, 5);
    EXPECT_EQ(Load().fileFilters, "Images (*.png)|*.png||");
}

TEST_F(SettingsFileTest, OutOfRangeLayoutAndUndoValuesAreBroughtIntoRange)
{
    Put("BytesPerRow", 0);
    Put("GroupBy", 7);
    Put("UndoLevels", 5000);
    Put("RedoLevels", 2000);
    AppSettings s = Load();
    EXPECT_EQ(s.bytesPerRow, 2);
    EXPECT_EQ(s.groupBy, 0);
    EXPECT_EQ(s.undoLevels, 1000);
    EXPECT_EQ(s.redoLevels, 1000);
    Put("BytesPerRow", 1000);
    Put("UndoLevels", 50);
    s = Load();
    EXPECT_EQ(s.bytesPerRow, 256);
    EXPECT_EQ(s.redoLevels, 50);  // never more than the undo levels
    Put("DataViewType", 5);       // there are two inspector tabs
    EXPECT_EQ(Load().dataViewType, 0);
}

TEST_F(SettingsFileTest, ColourSlotsAreClearedThenReadWithTheirDefaults)
{
    Put("SelTextColor", 0x0000FF);
    Put("BackgroundColor", "2147483653");  // bit 31 written as an unsigned number
    Put("OddTextColor", "not a number");
    AppSettings s;
    s.colors[13] = 7;  // a stray value in an unused slot must not survive a load
    LoadSettings(s, *Open());
    const AppSettings defaults;
    EXPECT_EQ(s.colors[AppSettings::SelTextColor], 0xFFu);
    EXPECT_EQ(s.colors[AppSettings::BackgroundColor], SystemColor(5));
    EXPECT_EQ(s.colors[AppSettings::OddTextColor], defaults.colors[AppSettings::OddTextColor]);
    EXPECT_EQ(s.colors[AppSettings::DataTextColor], defaults.colors[AppSettings::DataTextColor]);
    for (int slot = AppSettings::UsedColorCount; slot < AppSettings::kColorSlots; ++slot)
        EXPECT_EQ(s.colors[slot], 0u) << "slot " << slot;
}

TEST_F(SettingsFileTest, UserColorsReplaceOnlyTheBytesStored)
{
    Put("UserColors", Int32Bytes({0x112233, 0x445566}));
    AppSettings s = Load();
    const AppSettings defaults;
    EXPECT_EQ(s.userColors[0], 0x112233u);
    EXPECT_EQ(s.userColors[1], 0x445566u);
    for (int i = 2; i < 16; ++i)
        EXPECT_EQ(s.userColors[i], defaults.userColors[i]) << "entry " << i;

    Put("UserColors", QByteArray("\x01\x02\x03\x04\x05\x06", 6));  // one and a half entries
    s = Load();
    EXPECT_EQ(s.userColors[0], 0x04030201u);
    EXPECT_EQ(s.userColors[1], 0xFF0605u);  // low two bytes replaced, 0xFFC0C0 kept its high bytes

    Put("UserColors", QByteArray(80, '\x7F'));  // only 64 bytes count
    s = Load();
    EXPECT_EQ(s.userColors[15], 0x7F7F7F7Fu);
}

// A font record of the wrong length, or with a height no screen can show,
// would leave the view unreadable (and std::abs(INT_MIN) is undefined): the
// default font takes its place, and that is what the next exit writes.
TEST_F(SettingsFileTest, Font2OfTheWrongLengthOrAnAbsurdHeightFallsBackToTheDefault)
{
    const platform::FontRecord system = platform::SystemFixedFontRecord();
    const auto record = [](int32_t height) {
        platform::FontRecord r;
        r.height = height;
        r.weight = 700;
        r.faceName[0] = u'Q';
        return platform::FontRecordToBytes(r);
    };
    const struct {
        const char* what;
        QByteArray stored;
        bool kept;
    } cases[] = {
        {"20 pixels", record(-20), true},
        {"20 pixels, cell height", record(20), true},
        {"1,000 pixels", record(-1000), true},
        {"height 0", record(0), false},
        {"height INT_MIN", record(INT32_MIN), false},
        {"height -2,000,000,000", record(-2000000000), false},
        {"3,000 pixels (2,250 points)", record(-3000), false},
        {"5 bytes", QByteArray("\x01\x02\x03\x04\x05", 5), false},
        {"two integers", Int32Bytes({-20, 7}), false},
        {"93 bytes", record(-20) + 'x', false},
    };
    for (const auto& c : cases) {
        Put("Font2", c.stored);
        const AppSettings s = Load();
        const QByteArray expected = c.kept ? c.stored : platform::FontRecordToBytes(system);
        EXPECT_EQ(platform::FontRecordToBytes(s.font2), expected) << c.what;
        EXPECT_TRUE(platform::FontRecordIsUsable(s.font2)) << c.what;
        Save(s);
        EXPECT_EQ(Stored("Font2").toByteArray(), expected) << c.what << ", written back";
    }
}

// QVariant's toInt truncates and reports success; a stored number outside
// the 32-bit range must count as unreadable and take the key's default.
TEST_F(SettingsFileTest, IntegersOutsideThe32BitRangeTakeTheKeysDefault)
{
    const AppSettings defaults;
    const struct {
        const char* key;
        const char* stored;
        int AppSettings::*field;
        int expected;
    } cases[] = {
        {"DeleteCount", "99999999999", &AppSettings::deleteCount, defaults.deleteCount},
        {"DeleteCount", "2147483647", &AppSettings::deleteCount, 2147483647},
        {"DeleteCount", "-2147483648", &AppSettings::deleteCount, INT32_MIN},
        {"DeleteCount", "-2147483649", &AppSettings::deleteCount, defaults.deleteCount},
        {"StatusFormat", "2147483648", &AppSettings::statusFormat, defaults.statusFormat},
        {"StatusFormat", "4294967296", &AppSettings::statusFormat, defaults.statusFormat},
        {"StatusFormat", "1", &AppSettings::statusFormat, 1},
        {"InsertCount", "18446744073709551617", &AppSettings::insertCount, defaults.insertCount},
        {"BytesPerRow", "4294967312", &AppSettings::bytesPerRow, defaults.bytesPerRow},  // 2^32 + 16 is not 16
        {"UndoLevels", "99999999999", &AppSettings::undoLevels, defaults.undoLevels},
    };
    for (const auto& c : cases) {
        Put(QString::fromLatin1(c.key), QString::fromLatin1(c.stored));
        EXPECT_EQ(Load().*c.field, c.expected) << c.key << " = " << c.stored;
        Put(QString::fromLatin1(c.key), QVariant());
    }
    // Colours are 32-bit words and may be written unsigned, but no wider.
    Put("SelTextColor", "4294967295");
    EXPECT_EQ(Load().colors[AppSettings::SelTextColor], 0xFFFFFFFFu);
    Put("SelTextColor", "4294967296");
    EXPECT_EQ(Load().colors[AppSettings::SelTextColor], defaults.colors[AppSettings::SelTextColor]);
}

TEST_F(SettingsFileTest, ByteBlocksKeepTheirStoredLengthAndZeros)
{
    const QByteArray find("\x00\xFF\x00", 3);
    Put("FindData", find);
    Put("ReplaceData", QByteArray());
    const AppSettings s = Load();
    EXPECT_EQ(s.findData, find);
    EXPECT_TRUE(s.replaceData.isEmpty());
}

TEST_F(SettingsFileTest, WindowPosOtherThanANonEmpty16ByteRectangleIsIgnored)
{
    Put("WindowPos", Int32Bytes({10, 20, 810, 620}).left(15));
    EXPECT_FALSE(Load().windowPos.has_value());
    Put("WindowPos", Int32Bytes({10, 20, 810, 620, 0}));
    EXPECT_FALSE(Load().windowPos.has_value());
    Put("WindowPos", Int32Bytes({10, 20, 10, 620}));
    EXPECT_FALSE(Load().windowPos.has_value());
    Put("WindowPos", Int32Bytes({10, 20, 810, 620}));
    EXPECT_EQ(Load().windowPos, (WindowRect{10, 20, 810, 620}));
}

TEST_F(SettingsFileTest, ToolLoadStopsAtAnEmptyCommandAndSaveRemovesTheRest)
{
    for (int n = 1; n <= 3; ++n) {
        Put(QStringLiteral("ExternalTools/Title%1").arg(n), QStringLiteral("Tool %1").arg(n));
        Put(QStringLiteral("ExternalTools/Command%1").arg(n), n == 2 ? QString() : QStringLiteral("/bin/true"));
    }
    const AppSettings s = Load();
    ASSERT_EQ(s.tools.size(), 1u);
    EXPECT_EQ(s.tools[0], (ExternalTool{"Tool 1", "/bin/true", {}, {}, false}));

    Save(s);
    EXPECT_EQ(Stored("ExternalTools/Title1").toString(), "Tool 1");
    EXPECT_FALSE(Stored("ExternalTools/Title2").isValid());
    EXPECT_FALSE(Stored("ExternalTools/Title3").isValid());
    EXPECT_FALSE(Stored("ExternalTools/Command3").isValid());
}

TEST_F(SettingsFileTest, ToolLoadStopsAtAnEmptyTitleAndAtTheMenuLimit)
{
    Put("ExternalTools/Title2", "Second");
    Put("ExternalTools/Command2", "/bin/true");
    EXPECT_TRUE(Load().tools.empty());
    for (int n = 1; n <= 30; ++n) {
        Put(QStringLiteral("ExternalTools/Title%1").arg(n), QStringLiteral("T%1").arg(n));
        Put(QStringLiteral("ExternalTools/Command%1").arg(n), "/bin/true");
    }
    EXPECT_EQ(Load().tools.size(), size_t(kMaxExternalTools));
}

TEST_F(SettingsFileTest, RecentFilesSkipGapsAndAreRenumberedOnSave)
{
    Put("Recent File List/File1", "/a");
    Put("Recent File List/File3", "/c d");
    Put("Recent File List/File5", "/e");
    AppSettings s = Load();
    EXPECT_EQ(s.recentFiles, QStringList({"/a", "/c d"}));
    Save(s);
    EXPECT_EQ(Stored("Recent File List/File2").toString(), "/c d");
    EXPECT_FALSE(Stored("Recent File List/File3").isValid());
    EXPECT_FALSE(Stored("Recent File List/File5").isValid());
}

TEST_F(SettingsFileTest, HandEditedTextWithUnquotedCommasIsKeptWhole)
{
    QFile file(IniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Settings]\nFileFilters=Images (*.png, *.jpg)|*.png|Text|*.txt||\n");
    file.close();
    EXPECT_EQ(Load().fileFilters, "Images (*.png, *.jpg)|*.png|Text|*.txt||");
}
