/* What the probe task module records about the calls it receives, read by
 * the tests through the exported ProbeState function. Plain C, shared by the
 * module and the tests. */
#ifndef VANTREL_TEST_PROBE_STATE_H
#define VANTREL_TEST_PROBE_STATE_H

#include "ext/interface/VantrelExtension.h"

#define PROBE_TEXT_CAPACITY 1024
#define PROBE_INPUT_CAPACITY 64
#define PROBE_MAX_RECORDS 16
#define PROBE_OUTPUT_TEXT "probe output"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ProbeState {
    int calls;
    uint32_t nextResult;          /* what the handler returns */
    TaskArgs args;                /* the last TaskArgs; its pointers are stale after the call */
    int inputPathNull;
    int outputPathNull;
    int fileNameNull;
    char16_t inputPath[PROBE_TEXT_CAPACITY];
    char16_t outputPath[PROBE_TEXT_CAPACITY];
    char16_t fileName[PROBE_TEXT_CAPACITY];
    int inputSize;                /* bytes in the input file, -1 when it could not be read */
    unsigned char inputBytes[PROBE_INPUT_CAPACITY];
    int registerCount;            /* results of the register callback, in order */
    int32_t registerResults[PROBE_MAX_RECORDS];
} ProbeState;

typedef ProbeState* (*ProbeStateProc)(void);
#define PROBE_STATE_ENTRY "ProbeStateGet"

/* Set to a file path, every test module appends its own path to that file
 * when it is unloaded. */
#define PROBE_UNLOAD_LOG_VARIABLE "VANTREL_TEST_UNLOAD_LOG"

#ifdef __cplusplus
}
#endif

#endif
