#include "TaskChoices.h"

int StartRow(int remembered, int count) { return remembered >= 0 && remembered < count ? remembered : 0; }

int StartFileType(int remembered, int count) { return remembered >= 1 && remembered <= count ? remembered : 1; }
