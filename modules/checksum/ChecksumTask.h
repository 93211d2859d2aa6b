#pragma once
// The frame every checksum task shares: stream the input once in 1024-byte
// chunks through all of the task's checksums, then write the report.
#include "Checksum.h"
#include "ext/interface/VantrelExtension.h"

#include <QStringView>
#include <memory>
#include <vector>

using ChecksumList = std::vector<std::unique_ptr<Checksum>>;

// Returns a task result code: 0, 2 (memory), 3 (output), 4 (input).
uint32_t RunChecksumTask(const TaskArgs& args, QStringView title, const ChecksumList& checksums);
