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
    // Past 4 GiB the numbers print whole in both radixes.
    in.selStart = (int64_t(1) << 32) + 5;
    in.selEnd = int64_t(1) << 40;
    in.size = INT64_MAX;
    EXPECT_EQ(FormatViewStatus(in).position, "4294967301-1099511627776");
    EXPECT_EQ(FormatViewStatus(in).size, "9223372036854775807");
    in.statusFormat = 1;
    EXPECT_EQ(FormatViewStatus(in).position, "100000005-10000000000");
    EXPECT_EQ(FormatViewStatus(in).size, "7FFFFFFFFFFFFFFF");
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

// Each pane says in its tooltip what it shows: the numbers' radix and, for a
// selection, its length in bytes.
TEST(ViewStatus, TooltipsNameWhatEachPaneShows)
{
    struct Case {
        StatusInputs in;
        const char* position;
        const char* size;
        const char* mode;
    };
    auto inputs = [](int format, bool selection, bool readOnly, bool insert) {
        StatusInputs in;
        in.size = 4096;
        in.caret = 32;
        in.hasSelection = selection;
        in.selStart = 16;
        in.selEnd = selection ? 17 + 25 * format : 16;
        in.statusFormat = format;
        in.readOnly = readOnly;
        in.insertMode = insert;
        return in;
    };
    const Case cases[] = {
        {inputs(0, false, false, false), "Offset of the caret (decimal)", "File size (decimal): 4096 bytes",
         "OVR: typing overwrites bytes (Insert switches to insert)"},
        {inputs(1, false, false, true), "Offset of the caret (hexadecimal)", "File size (hexadecimal): 4096 bytes",
         "INS: typing inserts bytes (Insert switches to overwrite)"},
        {inputs(0, true, true, true), "Selection from 16 to 17 (decimal): 1 byte", "File size (decimal): 4096 bytes",
         "READ: the document is read-only"},
        {inputs(1, true, false, false), "Selection from 10 to 2A (hexadecimal): 26 bytes",
         "File size (hexadecimal): 4096 bytes", "OVR: typing overwrites bytes (Insert switches to insert)"},
    };
    for (const Case& c : cases) {
        const ViewStatus s = FormatViewStatus(c.in);
        EXPECT_EQ(s.positionTip, c.position);
        EXPECT_EQ(s.sizeTip, c.size);
        EXPECT_EQ(s.modeTip, c.mode);
        EXPECT_EQ(s.columnTip, "Column of the caret: HEX for the hexadecimal digits, ASCII for the characters");
        EXPECT_EQ(s.modifiedTip, "MOD when the document has changes that are not saved");
    }
}
