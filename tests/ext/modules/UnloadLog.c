/* Linked into every test module: records the module's unloading, so tests
 * can see when and in which order the host frees its modules. */
#define _GNU_SOURCE
#include "ProbeState.h"

#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

__attribute__((destructor)) static void LogUnload(void)
{
    const char* logPath = getenv(PROBE_UNLOAD_LOG_VARIABLE);
    Dl_info info;
    if (!logPath || !dladdr((void*)&LogUnload, &info) || !info.dli_fname)
        return;
    FILE* log = fopen(logPath, "a");
    if (!log)
        return;
    fprintf(log, "%s\n", info.dli_fname);
    fclose(log);
}
