/* A task module for the tests: one valid task of each kind plus records the
 * host must reject, and a handler that records what it was given. */
#include "ProbeState.h"

#include <stdio.h>
#include <string.h>

static ProbeState state;


static void CopyText(char16_t* target, const char16_t* text, int* wasNull)
{
    size_t n = 0;
    *wasNull = text == NULL;
    if (text)
        while (text[n] && n + 1 < PROBE_TEXT_CAPACITY) {
            target[n] = text[n];
            ++n;
        }
    target[n] = 0;
}

/* Test paths are plain ASCII. */
static void NarrowPath(const char16_t* path, char* out, size_t capacity)
{
    size_t n = 0;
    while (path[n] && n + 1 < capacity) {
        out[n] = (char)path[n];
        ++n;
    }
    out[n] = 0;
}

static void ReadInput(const char16_t* path)
{
    char narrow[PROBE_TEXT_CAPACITY];
    FILE* file;
    state.inputSize = -1;
    if (!path)
        return;
    NarrowPath(path, narrow, sizeof narrow);
    file = fopen(narrow, "rb");
    if (!file)
        return;
    state.inputSize = 0;
    for (int c; (c = fgetc(file)) != EOF; ++state.inputSize)
        if (state.inputSize < PROBE_INPUT_CAPACITY)
            state.inputBytes[state.inputSize] = (unsigned char)c;
    fclose(file);
}

static void WriteOutput(const char16_t* path)
{
    char narrow[PROBE_TEXT_CAPACITY];
    FILE* file;
    if (!path)
        return;
    NarrowPath(path, narrow, sizeof narrow);
    file = fopen(narrow, "wb");
    if (!file)
        return;
    fputs(PROBE_OUTPUT_TEXT, file);
    fclose(file);
}

static uint32_t Handler(const TaskArgs* args)
{
    ++state.calls;
    state.args = *args;
    CopyText(state.inputPath, args->inputPath, &state.inputPathNull);
    CopyText(state.outputPath, args->outputPath, &state.outputPathNull);
    CopyText(state.fileName, args->fileName, &state.fileNameNull);
    ReadInput(args->inputPath);
    WriteOutput(args->outputPath);
    return state.nextResult;
}

VANTREL_EXPORT ProbeState* ProbeStateGet(void) { return &state; }

static void Offer(void* host, RegisterProc registerProc, uint32_t kind, const char16_t* name,
                  const char16_t* description, const char16_t* filter, TaskHandler handler, int32_t id)
{
    TaskRecord record;
    memset(&record, 0, sizeof record);
    record.kind = kind;
    record.name = name;
    record.description = description;
    record.filter = filter;
    record.handler = handler;
    record.id = id;
    if (state.registerCount < PROBE_MAX_RECORDS)
        state.registerResults[state.registerCount++] = registerProc(host, &record);
}

VANTREL_EXPORT void VantrelExtension(void* host, RegisterProc registerProc, const char16_t** description)
{
    *description = u"Probe Extensions\r\nVersion 1.00\r\nUsed by the tests only";
    Offer(host, registerProc, TASK_EXPORT, u"Probe Export", NULL, u"*.prb", Handler, 10);
    Offer(host, registerProc, TASK_IMPORT, u"Probe Import", NULL, u"*.prb;*.txt", Handler, 11);
    Offer(host, registerProc, TASK_COPY_AS, u"Probe Copy", u"Copy the probe way", NULL, Handler, 12);
    Offer(host, registerProc, TASK_PASTE_AS, u"Probe Paste", u"Paste the probe way", NULL, Handler, 13);
    Offer(host, registerProc, TASK_CONVERSION, u"Probe Convert", u"Convert the probe way", NULL, Handler, 14);
    Offer(host, registerProc, TASK_CHECKSUM, u"Probe Checksum", u"Sum the probe way", NULL, Handler, 15);
    Offer(host, registerProc, 6, u"Kind Six", NULL, NULL, Handler, 16);
    Offer(host, registerProc, TASK_CONVERSION, u"No Handler", NULL, NULL, NULL, 17);
    Offer(host, registerProc, TASK_CONVERSION, NULL, NULL, NULL, Handler, 18);
    Offer(host, registerProc, TASK_CONVERSION, u"", NULL, NULL, Handler, 19);
}

#ifdef PROBE_READS_OFFSET64
/* The variant built as ProbeTasks64.vtx announces that it reads the 64-bit offset. */
VANTREL_EXPORT uint32_t VantrelExtensionFeatures(void) { return VANTREL_FEATURE_OFFSET64; }
#endif
