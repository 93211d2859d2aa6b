/* A data-type module for the tests: two valid types, one without an integer
 * value, and records the host must reject. */
#include "ProbeState.h"

#include <stdio.h>
#include <string.h>

static ProbeState state;

VANTREL_EXPORT ProbeState* ProbeStateGet(void) { return &state; }

static void Order(const uint8_t* data, uint8_t* out, int size, int32_t bigEndian)
{
    for (int i = 0; i < size; ++i)
        out[i] = bigEndian ? data[size - 1 - i] : data[i];
}

static void PutAscii(char16_t* text, const char* ascii)
{
    size_t n = 0;
    for (; ascii[n]; ++n)
        text[n] = (char16_t)ascii[n];
    text[n] = 0;
}

/* "T:" and the three bytes in value order, then the flags it was given. */
static void FormatTriple(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix)
{
    uint8_t value[3];
    char ascii[40];
    Order(data, value, 3, bigEndian);
    snprintf(ascii, sizeof ascii, "T:%02X%02X%02X/be%d/r%d", value[0], value[1], value[2], (int)bigEndian, (int)radix);
    PutAscii(text, ascii);
}

/* "good" gives 01 02 03 in value order; anything else scribbles and fails. */
static int32_t ParseTriple(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    static const uint8_t good[3] = {1, 2, 3};
    if (text[0] != u'g' || text[1] != u'o' || text[2] != u'o' || text[3] != u'd' || text[4] != 0) {
        memset(data, 0xEE, 3);
        return 0;
    }
    Order(good, data, 3, bigEndian);
    if (radixOut)
        *radixOut = 10;
    return 1;
}

static int32_t TripleValue(const uint8_t* data, int32_t bigEndian)
{
    uint8_t value[3];
    Order(data, value, 3, bigEndian);
    return value[0] | value[1] << 8 | value[2] << 16;
}

/* Fills the whole declared capacity of 70 units: 69 letters and the terminator. */
static void FormatWide(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix)
{
    (void)data;
    (void)bigEndian;
    (void)radix;
    for (int i = 0; i < 69; ++i)
        text[i] = u'W';
    text[69] = 0;
}

static int32_t ParseWide(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    (void)text;
    (void)bigEndian;
    memset(data, 0x57, 20);
    if (radixOut)
        *radixOut = 10;
    return 1;
}

static void Offer(void* host, RegisterProc registerProc, const char16_t* name, int32_t size, int32_t maxText,
                  FormatProc format, ParseProc parse, ToIntegerProc toInteger)
{
    TypeRecord record;
    memset(&record, 0, sizeof record);
    record.name = name;
    record.size = size;
    record.maxText = maxText;
    record.format = format;
    record.parse = parse;
    record.toInteger = toInteger;
    if (state.registerCount < PROBE_MAX_RECORDS)
        state.registerResults[state.registerCount++] = registerProc(host, &record);
}

VANTREL_EXPORT void VantrelExtension(void* host, RegisterProc registerProc, const char16_t** description)
{
    *description = u"Probe Type Extensions\r\nVersion 1.00\r\nUsed by the tests only";
    Offer(host, registerProc, u"Probe Triple", 3, 40, FormatTriple, ParseTriple, TripleValue);
    Offer(host, registerProc, u"Probe Wide", 20, 70, FormatWide, ParseWide, NULL);
    Offer(host, registerProc, u"Zero Size", 0, 8, FormatTriple, ParseTriple, NULL);
    Offer(host, registerProc, u"Negative Size", -4, 8, FormatTriple, ParseTriple, NULL);
    Offer(host, registerProc, u"", 3, 8, FormatTriple, ParseTriple, NULL);
    Offer(host, registerProc, NULL, 3, 8, FormatTriple, ParseTriple, NULL);
    Offer(host, registerProc, u"No Format", 3, 8, NULL, ParseTriple, NULL);
    Offer(host, registerProc, u"No Parse", 3, 8, FormatTriple, NULL, NULL);
}
