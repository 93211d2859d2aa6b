#pragma once
// How much memory the machine has, for work that must stop politely before
// the system runs out rather than be killed.
#include <cstdint>

namespace platform {

// The physical memory in bytes; 0 when the system does not say.
uint64_t PhysicalMemoryBytes();

} // namespace platform
