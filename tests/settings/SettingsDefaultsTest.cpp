// What a fresh store gives, and the small value types of the settings record.
#include "SettingsTestSupport.h"

TEST_F(SettingsFileTest, FreshStoreGivesTheDocumentedDefaults)
{
    const AppSettings s = Load();
    EXPECT_EQ(s.bytesPerRow, 16);
    EXPECT_EQ(s.groupBy, 0);
    EXPECT_EQ(s.columns, 3);
    EXPECT_EQ(s.offsetFormat, 1);
    EXPECT_TRUE(s.showDash);
    EXPECT_TRUE(s.overstrikeOnStartup);
    EXPECT_FALSE(s.insertMode);
    EXPECT_EQ(s.undoLevels, 100);
    EXPECT_EQ(s.redoLevels, 100);
    EXPECT_EQ(s.fileFilters, "All Files (*.*)|*.*||");
    EXPECT_EQ(s.minMatchLen, 16);
    EXPECT_TRUE(s.multipleInstances);
    EXPECT_EQ(s.statusFormat, 2);
    EXPECT_TRUE(s.findHexCol);
    EXPECT_EQ(s.actionValue2, "1");
    EXPECT_EQ(s.dataSplitterPos, 200);
    EXPECT_EQ(s.structSplitterPos, 200);
    EXPECT_FALSE(s.windowPos.has_value());
    EXPECT_TRUE(s.tools.empty());
    EXPECT_TRUE(s.recentFiles.empty());
    EXPECT_EQ(platform::FontRecordToBytes(s.font2), platform::FontRecordToBytes(platform::SystemFixedFontRecord()));
    // Loading an empty store must give exactly the record's own initial values.
    EXPECT_TRUE(s == AppSettings{});
}

TEST(AppSettingsDefaults, ColoursAreThemeColoursExceptTheSizingBar)
{
    const AppSettings s;
    const uint32_t expected[16] = {0x80000008, 0x80000008, 0x80000008, 0x80000008, 0x80000005, 0x8000000E,
                                   0x8000000D, 0x80000012, 0x8000000F, 0x80000005, 0x80000008, 0xC0C0C0};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(s.colors[i], expected[i]) << "slot " << i;
    EXPECT_EQ(s.colors[AppSettings::SizeBarColor], 0xC0C0C0u);
    EXPECT_EQ(s.userColors[0], 0xC0C0C0u);
    EXPECT_EQ(s.userColors[8], 0xF0F0F0u);
    EXPECT_EQ(s.userColors[15], 0xFFFFFFu);
    EXPECT_TRUE(IsSystemColor(s.colors[AppSettings::SelBackgroundInactive]));
    EXPECT_EQ(SystemColorIndex(s.colors[AppSettings::SelBackgroundInactive]), 15);
    EXPECT_FALSE(IsSystemColor(s.colors[AppSettings::SizeBarColor]));
}

TEST_F(SettingsFileTest, OverstrikeOnStartupForcesOverwriteModeOnlyWhenOn)
{
    Put("InsertMode", 1);
    AppSettings s = Load();
    ApplyOverstrikeOnStartup(s);
    EXPECT_FALSE(s.insertMode);

    Put("OverstrikeOnStartup", 0);
    s = Load();
    ASSERT_TRUE(s.insertMode);
    ApplyOverstrikeOnStartup(s);
    EXPECT_TRUE(s.insertMode);
}

TEST(WindowRectTest, ConvertsBetweenExclusiveEdgesAndQRect)
{
    const WindowRect rect{10, 20, 810, 620};
    EXPECT_EQ(ToQRect(rect), QRect(10, 20, 800, 600));
    EXPECT_EQ(FromQRect(QRect(10, 20, 800, 600)), rect);
    EXPECT_EQ(WindowRectToBytes(rect), Int32Bytes({10, 20, 810, 620}));
    EXPECT_EQ(WindowRectFromBytes(Int32Bytes({-5, 0, 5, 1})), (WindowRect{-5, 0, 5, 1}));
    // Edges so far apart that the size does not fit an int are no rectangle.
    EXPECT_FALSE(WindowRectFromBytes(Int32Bytes({INT32_MIN, 0, INT32_MAX, 10})));
}
