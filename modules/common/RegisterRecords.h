#pragma once
// The body of every module's VantrelExtension: hand over the description and
// offer each record, in order, through the host's callback.
#include "ext/interface/VantrelExtension.h"

#include <cstddef>

template <typename Record, size_t N>
void RegisterRecords(void* hostContext, RegisterProc registerProc, const char16_t** description,
                     const char16_t* descriptionText, const Record (&records)[N])
{
    if (description)
        *description = descriptionText;
    if (!registerProc)
        return;
    for (const Record& record : records)
        registerProc(hostContext, &record);
}
