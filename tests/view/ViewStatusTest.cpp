// The status panes' texts.
#include "view/ViewStatus.h"

#include <gtest/gtest.h>

TEST(ViewStatus, RadixFollowsStatusFormatOrTheOffsets)
{
    StatusInputs in;
    in.size = 2147483647;
    in.caret = 255;
    in.statusFormat = 0;
    EXPECT_EQ(FormatViewStatus(in).size, "2147483647");
    EXPECT_EQ(FormatViewStatus(in).position, "255");
    in.statusFormat = 1;
    EXPECT_EQ(FormatViewStatus(in).size, "7FFFFFFF");
    EXPECT_EQ(FormatViewStatus(in).position, "FF");
    in.statusFormat = 2;
    in.offsetFormat = 0;
    EXPECT_EQ(FormatViewStatus(in).position, "255");
    in.offsetFormat = 1;
    EXPECT_EQ(FormatViewStatus(in).position, "FF");
}

TEST(ViewStatus, SelectionAsStartEndOrStartLength)
{
    StatusInputs in;
    in.hasSelection = true;
    in.selStart = 16;
    in.selEnd = 42;
    in.statusFormat = 1;
    EXPECT_EQ(FormatViewStatus(in).position, "10-2A");
    in.posSelStyle = 1;
    EXPECT_EQ(FormatViewStatus(in).position, "10 (1A)");
    in.statusFormat = 0;
    EXPECT_EQ(FormatViewStatus(in).position, "16 (26)");
    in.posSelStyle = 0;
    EXPECT_EQ(FormatViewStatus(in).position, "16-42");
}

TEST(ViewStatus, ModeColumnAndModifiedPanes)
{
    StatusInputs in;
    EXPECT_EQ(FormatViewStatus(in).mode, "OVR");
    EXPECT_EQ(FormatViewStatus(in).column, "HEX");
    EXPECT_EQ(FormatViewStatus(in).modified, "");
    in.insertMode = true;
    EXPECT_EQ(FormatViewStatus(in).mode, "INS");
    in.readOnly = true;  // read-only wins over the typing mode
    EXPECT_EQ(FormatViewStatus(in).mode, "READ");
    in.hexActive = false;
    in.modified = true;
    EXPECT_EQ(FormatViewStatus(in).column, "ASCII");
    EXPECT_EQ(FormatViewStatus(in).modified, "MOD");
}
