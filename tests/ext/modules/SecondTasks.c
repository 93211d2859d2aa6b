/* A second task module for the tests: two valid tasks and no description. */
#include "ext/interface/VantrelExtension.h"

#include <string.h>

static uint32_t Succeed(const TaskArgs* args)
{
    (void)args;
    return TASK_RESULT_SUCCESS;
}

static void Offer(void* host, RegisterProc registerProc, uint32_t kind, const char16_t* name, int32_t id)
{
    TaskRecord record;
    memset(&record, 0, sizeof record);
    record.kind = kind;
    record.name = name;
    record.handler = Succeed;
    record.id = id;
    registerProc(host, &record);
}

VANTREL_EXPORT void VantrelExtension(void* host, RegisterProc registerProc, const char16_t** description)
{
    (void)description;
    Offer(host, registerProc, TASK_CHECKSUM, u"Second Checksum", 7);
    Offer(host, registerProc, TASK_EXPORT, u"Second Export", 8);
}
