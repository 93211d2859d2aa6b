#pragma once
// What the user is told when a task handler returns a failure code.
#include <QString>
#include <cstdint>

// The full message for a result code, or an empty text for success (0) and
// for a failure the handler has already reported (0x80000000).
QString TaskResultMessage(uint32_t result);

// Shows TaskResultMessage as an error box when it is not empty.
void ReportTaskResult(uint32_t result);
