#include "WriteFaults.h"

namespace platform {

WriteFaults& ActiveWriteFaults()
{
    static WriteFaults faults;
    return faults;
}

int TakeWriteError()
{
    WriteFaults& faults = ActiveWriteFaults();
    const int error = faults.nextWriteError;
    faults.nextWriteError = 0;
    return error;
}

} // namespace platform
