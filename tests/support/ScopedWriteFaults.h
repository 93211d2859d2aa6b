#pragma once
// Puts write faults in force for the lifetime of the object and clears them
// afterwards, also when an assertion returns early, so that no later test
// meets a fault it did not ask for.
#include "platform/WriteFaults.h"

class ScopedWriteFaults {
public:
    explicit ScopedWriteFaults(const platform::WriteFaults& faults) { platform::ActiveWriteFaults() = faults; }
    ~ScopedWriteFaults() { platform::ActiveWriteFaults() = {}; }
    ScopedWriteFaults(const ScopedWriteFaults&) = delete;
    ScopedWriteFaults& operator=(const ScopedWriteFaults&) = delete;

    platform::WriteFaults& Faults() { return platform::ActiveWriteFaults(); }
};
