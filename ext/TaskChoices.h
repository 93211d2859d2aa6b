#pragma once
// The choices the task commands remember while the program runs (never
// saved): the file type last chosen in the Import and in the Export dialog,
// counted from 1, and the list position last chosen in each chooser mode.
#include <array>

enum class ChooserMode { CopyAs = 0, PasteAs = 1, ConvertData = 2, Checksum = 3 };
constexpr int kChooserModeCount = 4;

struct TaskChoices {
    int importFileType = 1;
    int exportFileType = 1;
    std::array<int, kChooserModeCount> chooserRow{};
};

// The row to select in a list of count items: the remembered one, or the
// first when the remembered one is not in the list.
int StartRow(int remembered, int count);
// The file-type index (from 1) to preselect among count types.
int StartFileType(int remembered, int count);
