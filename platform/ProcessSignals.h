#pragma once
// Signal dispositions the whole program relies on.

namespace platform {

// Under a file-size limit (ulimit -f) the kernel would end the process with
// SIGXFSZ in the middle of a save, losing the edits. Ignored, the write fails
// with EFBIG instead and the save reports the limit.
void IgnoreFileSizeLimitSignal();

} // namespace platform
