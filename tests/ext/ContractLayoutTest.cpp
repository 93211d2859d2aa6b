// The module contract is a binary layout shared with separately built
// modules; these checks repeat the header's static assertions at run time so
// a failure names the field and both offsets.
#include "ext/interface/VantrelExtension.h"

#include <gtest/gtest.h>

#include <cstddef>

TEST(ContractLayout, RecordSizes)
{
    EXPECT_EQ(sizeof(TaskRecord), 48u);
    EXPECT_EQ(sizeof(TypeRecord), 40u);
    EXPECT_EQ(sizeof(TaskArgs), 248u);
    EXPECT_EQ(sizeof(TaskFont), 92u);
}

TEST(ContractLayout, TaskRecordOffsets)
{
    EXPECT_EQ(offsetof(TaskRecord, kind), 0u);
    EXPECT_EQ(offsetof(TaskRecord, name), 8u);
    EXPECT_EQ(offsetof(TaskRecord, description), 16u);
    EXPECT_EQ(offsetof(TaskRecord, filter), 24u);
    EXPECT_EQ(offsetof(TaskRecord, handler), 32u);
    EXPECT_EQ(offsetof(TaskRecord, id), 40u);
}

TEST(ContractLayout, TypeRecordOffsets)
{
    EXPECT_EQ(offsetof(TypeRecord, name), 0u);
    EXPECT_EQ(offsetof(TypeRecord, size), 8u);
    EXPECT_EQ(offsetof(TypeRecord, maxText), 12u);
    EXPECT_EQ(offsetof(TypeRecord, format), 16u);
    EXPECT_EQ(offsetof(TypeRecord, parse), 24u);
    EXPECT_EQ(offsetof(TypeRecord, toInteger), 32u);
}

TEST(ContractLayout, TaskArgsOffsets)
{
    EXPECT_EQ(offsetof(TaskArgs, kind), 0u);
    EXPECT_EQ(offsetof(TaskArgs, id), 4u);
    EXPECT_EQ(offsetof(TaskArgs, inputPath), 8u);
    EXPECT_EQ(offsetof(TaskArgs, outputPath), 16u);
    EXPECT_EQ(offsetof(TaskArgs, ownerWindow), 24u);
    EXPECT_EQ(offsetof(TaskArgs, fileName), 32u);
    EXPECT_EQ(offsetof(TaskArgs, offset), 40u);
    EXPECT_EQ(offsetof(TaskArgs, bytesPerRow), 44u);
    EXPECT_EQ(offsetof(TaskArgs, offsetRadix), 48u);
    EXPECT_EQ(offsetof(TaskArgs, groupBy), 52u);
    EXPECT_EQ(offsetof(TaskArgs, columns), 56u);
    EXPECT_EQ(offsetof(TaskArgs, showDash), 60u);
    EXPECT_EQ(offsetof(TaskArgs, showAllChars), 64u);
    EXPECT_EQ(offsetof(TaskArgs, font), 68u);
    EXPECT_EQ(offsetof(TaskArgs, reserved), 160u);
    EXPECT_EQ(offsetof(TaskArgs, colors), 184u);
}

TEST(ContractLayout, FontRecordFields)
{
    EXPECT_EQ(offsetof(TaskFont, weight), 16u);
    EXPECT_EQ(offsetof(TaskFont, italic), 20u);
    EXPECT_EQ(offsetof(TaskFont, pitchAndFamily), 27u);
    EXPECT_EQ(offsetof(TaskFont, faceName), 28u);
}

TEST(ContractLayout, ResultCodes)
{
    EXPECT_EQ(TASK_RESULT_SUCCESS, 0u);
    EXPECT_EQ(TASK_RESULT_OUT_OF_MEMORY, 2u);
    EXPECT_EQ(TASK_RESULT_WRITE_ERROR, 3u);
    EXPECT_EQ(TASK_RESULT_READ_ERROR, 4u);
    EXPECT_EQ(TASK_RESULT_REPORTED, 0x80000000u);
    EXPECT_STREQ(VANTREL_EXTENSION_ENTRY, "VantrelExtension");
}
