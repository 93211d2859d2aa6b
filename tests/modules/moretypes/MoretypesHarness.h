#pragma once
// Moretypes.vtt loaded once with dlopen, its type records collected through a
// callback like the host's, and its functions called with buffers of exactly
// the records' sizes so that a write past them shows under AddressSanitizer.
#include "ext/interface/VantrelExtension.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct LoadedTypes {
    std::vector<TypeRecord> records;
    std::optional<QString> description;
    const TypeRecord& Type(const char* name) const;
};

const LoadedTypes& Moretypes();

QString FormatValue(const TypeRecord& type, const QByteArray& bytes, bool bigEndian = false, int radix = 10);
// The bytes the text parses to; nothing when the parse fails.
std::optional<QByteArray> ParseValue(const TypeRecord& type, const QString& text, bool bigEndian = false,
                                     int32_t* radix = nullptr);
