/* The binary contract between Vantrel and its extension modules.
 *
 * A module is a shared library in the program's directory, named "*.vtx"
 * (task modules) or "*.vtt" (data-type modules). It exports one function,
 * VantrelExtension, which registers fixed-layout records through the host's
 * callback. The layouts below are those of x86-64 with natural alignment;
 * every field offset is pinned by a static assertion. Strings are
 * NUL-terminated UTF-16LE; every function uses the C calling convention.
 *
 * This header is plain C so that modules can be written in C or C++. */
#ifndef VANTREL_EXTENSION_H
#define VANTREL_EXTENSION_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

/* What a task does with its files. */
typedef enum TaskKind {
    TASK_EXPORT = 0,     /* input: the document; output: the file the user named */
    TASK_IMPORT = 1,     /* input: the file the user chose; output: a new document */
    TASK_COPY_AS = 2,    /* input: the selection; no output: the handler fills the clipboard */
    TASK_PASTE_AS = 3,   /* no input: the handler reads the clipboard; output: pasted at the caret */
    TASK_CONVERSION = 4, /* input: the selection or file; output: replaces it */
    TASK_CHECKSUM = 5    /* input: the selection or file; output: a UTF-16LE report */
} TaskKind;

#define TASK_KIND_COUNT 6

/* Result codes of a TaskHandler. */
#define TASK_RESULT_SUCCESS 0u
#define TASK_RESULT_OUT_OF_MEMORY 2u
#define TASK_RESULT_WRITE_ERROR 3u
#define TASK_RESULT_READ_ERROR 4u
#define TASK_RESULT_REPORTED 0x80000000u /* failed or cancelled; the user has been told */

/* The 92-byte font description (five int32, eight bytes, 32 UTF-16 units). */
typedef struct TaskFont {
    int32_t height;
    int32_t width;
    int32_t escapement;
    int32_t orientation;
    int32_t weight;
    uint8_t italic;
    uint8_t underline;
    uint8_t strikeOut;
    uint8_t charSet;
    uint8_t outPrecision;
    uint8_t clipPrecision;
    uint8_t quality;
    uint8_t pitchAndFamily;
    char16_t faceName[32];
} TaskFont;

/* Everything a task handler gets; valid only during the call. */
typedef struct TaskArgs {
    uint32_t kind;              /* @0   TaskKind of the task */
    int32_t id;                 /* @4   the id of the task's record */
    const char16_t* inputPath;  /* @8   null for Paste As */
    const char16_t* outputPath; /* @16  null for Copy As */
    void* ownerWindow;          /* @24  the main window's QWidget*, or null */
    const char16_t* fileName;   /* @32  the document's title; "Untitled" without one */
    int32_t offset;             /* @40  first selected byte for kinds 2 to 5, else 0 */
    int32_t bytesPerRow;        /* @44 */
    int32_t offsetRadix;        /* @48  16 or 10 */
    int32_t groupBy;            /* @52  bytes per group: 1, 2, 4 or 8 */
    int32_t columns;            /* @56  bit 0 hexadecimal, bit 1 characters */
    int32_t showDash;           /* @60 */
    int32_t showAllChars;       /* @64 */
    TaskFont font;              /* @68  the display font */
    int64_t offset64;           /* @160 the offset at any size, when argsVersion >= 1 (else zero) */
    uint32_t argsVersion;       /* @168 1: offset64 is filled; 0 from hosts that predate it */
    uint8_t reserved[4];        /* @172 zero */
    uint32_t reportLines;       /* @176 checksum tasks: when not zero, only the report lines whose
                                        bit is set (bit 0 the first line) need be computed and
                                        written; zero asks for every line. Other kinds: zero */
    uint8_t reserved2[4];       /* @180 zero */
    uint32_t colors[16];        /* @184 0x00BBGGRR; slots 12 to 15 zero */
} TaskArgs;

typedef uint32_t (*TaskHandler)(const TaskArgs* args);

#define VANTREL_TASK_ARGS_VERSION 1u

/* The first selected byte, from whichever field the host filled. */
static inline int64_t VantrelTaskOffset(const TaskArgs* args)
{
    return args->argsVersion >= 1 ? args->offset64 : (int64_t)args->offset;
}

/* A task offered by a task module; the host copies it. */
typedef struct TaskRecord {
    uint32_t kind;                /* @0  TaskKind, 0 to 5 */
    const char16_t* name;         /* @8  required */
    const char16_t* description;  /* @16 may be null */
    const char16_t* filter;       /* @24 "*.txt;*.b64" for import and export, else null */
    TaskHandler handler;          /* @32 required */
    int32_t id;                   /* @40 handed back in TaskArgs */
} TaskRecord;

/* text: a buffer of at least maxText units, filled NUL-terminated. */
typedef void (*FormatProc)(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
/* Returns non-zero and writes size bytes on success; radixOut may be null. */
typedef int32_t (*ParseProc)(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
typedef int32_t (*ToIntegerProc)(const uint8_t* data, int32_t bigEndian);

/* A data type offered by a data-type module; the host keeps the pointers. */
typedef struct TypeRecord {
    const char16_t* name;     /* @0  required, non-empty */
    int32_t size;             /* @8  bytes in the file, > 0 */
    int32_t maxText;          /* @12 text capacity format needs, terminator included */
    FormatProc format;        /* @16 required */
    ParseProc parse;          /* @24 required */
    ToIntegerProc toInteger;  /* @32 null when the type has no integer value */
} TypeRecord;

/* Returns 1 when the record was accepted, 0 when it was rejected. */
typedef int32_t (*RegisterProc)(void* hostContext, const void* record);

/* The one export of every module. */
typedef void (*VantrelExtensionProc)(void* hostContext, RegisterProc registerProc, const char16_t** description);

#define VANTREL_EXTENSION_ENTRY "VantrelExtension"

/* What a module can do beyond the first contract. A module announces it by
 * exporting VantrelExtensionFeatures; one that does not is taken to read
 * only the 32-bit TaskArgs.offset, so the host runs its selection tasks
 * only at offsets that fit in it. */
#define VANTREL_FEATURE_OFFSET64 1u /* reads the offset through VantrelTaskOffset */
typedef uint32_t (*VantrelFeaturesProc)(void);
#define VANTREL_FEATURES_ENTRY "VantrelExtensionFeatures"

#if defined(__GNUC__)
#define VANTREL_EXPORT __attribute__((visibility("default")))
#else
#define VANTREL_EXPORT
#endif

#ifdef __cplusplus
} /* extern "C" */
#endif

#ifdef __cplusplus
#define VANTREL_LAYOUT(type, field, offset) static_assert(offsetof(type, field) == offset, #type "." #field)
#else
#define VANTREL_LAYOUT(type, field, offset) _Static_assert(offsetof(type, field) == offset, #type "." #field)
#endif

#ifdef __cplusplus
static_assert(sizeof(TaskFont) == 92, "TaskFont is 92 bytes");
static_assert(sizeof(TaskRecord) == 48, "TaskRecord is 48 bytes");
static_assert(sizeof(TypeRecord) == 40, "TypeRecord is 40 bytes");
static_assert(sizeof(TaskArgs) == 248, "TaskArgs is 248 bytes");
#else
_Static_assert(sizeof(TaskFont) == 92, "TaskFont is 92 bytes");
_Static_assert(sizeof(TaskRecord) == 48, "TaskRecord is 48 bytes");
_Static_assert(sizeof(TypeRecord) == 40, "TypeRecord is 40 bytes");
_Static_assert(sizeof(TaskArgs) == 248, "TaskArgs is 248 bytes");
#endif

VANTREL_LAYOUT(TaskRecord, kind, 0);
VANTREL_LAYOUT(TaskRecord, name, 8);
VANTREL_LAYOUT(TaskRecord, description, 16);
VANTREL_LAYOUT(TaskRecord, filter, 24);
VANTREL_LAYOUT(TaskRecord, handler, 32);
VANTREL_LAYOUT(TaskRecord, id, 40);

VANTREL_LAYOUT(TypeRecord, name, 0);
VANTREL_LAYOUT(TypeRecord, size, 8);
VANTREL_LAYOUT(TypeRecord, maxText, 12);
VANTREL_LAYOUT(TypeRecord, format, 16);
VANTREL_LAYOUT(TypeRecord, parse, 24);
VANTREL_LAYOUT(TypeRecord, toInteger, 32);

VANTREL_LAYOUT(TaskArgs, kind, 0);
VANTREL_LAYOUT(TaskArgs, id, 4);
VANTREL_LAYOUT(TaskArgs, inputPath, 8);
VANTREL_LAYOUT(TaskArgs, outputPath, 16);
VANTREL_LAYOUT(TaskArgs, ownerWindow, 24);
VANTREL_LAYOUT(TaskArgs, fileName, 32);
VANTREL_LAYOUT(TaskArgs, offset, 40);
VANTREL_LAYOUT(TaskArgs, bytesPerRow, 44);
VANTREL_LAYOUT(TaskArgs, offsetRadix, 48);
VANTREL_LAYOUT(TaskArgs, groupBy, 52);
VANTREL_LAYOUT(TaskArgs, columns, 56);
VANTREL_LAYOUT(TaskArgs, showDash, 60);
VANTREL_LAYOUT(TaskArgs, showAllChars, 64);
VANTREL_LAYOUT(TaskArgs, font, 68);
VANTREL_LAYOUT(TaskArgs, offset64, 160);
VANTREL_LAYOUT(TaskArgs, argsVersion, 168);
VANTREL_LAYOUT(TaskArgs, reserved, 172);
VANTREL_LAYOUT(TaskArgs, reportLines, 176);
VANTREL_LAYOUT(TaskArgs, reserved2, 180);
VANTREL_LAYOUT(TaskArgs, colors, 184);

#endif /* VANTREL_EXTENSION_H */
