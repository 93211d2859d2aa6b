/* A task module for the tests whose every record must be rejected. */
#include "ext/interface/VantrelExtension.h"

#include <string.h>

static uint32_t Succeed(const TaskArgs* args)
{
    (void)args;
    return TASK_RESULT_SUCCESS;
}

VANTREL_EXPORT void VantrelExtension(void* host, RegisterProc registerProc, const char16_t** description)
{
    TaskRecord record;
    *description = u"Invalid Extensions";
    memset(&record, 0, sizeof record);
    record.kind = 6;
    record.name = u"Kind Six";
    record.handler = Succeed;
    registerProc(host, &record);
    record.kind = TASK_CHECKSUM;
    record.handler = NULL;
    registerProc(host, &record);
    registerProc(host, NULL);
}
