#pragma once
// Loads Typext.vtt the way the host does and calls its types' functions with
// buffers of exactly the sizes the records give, so that any write past them
// shows under AddressSanitizer.
#include "ext/interface/VantrelExtension.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

class TypextModule {
public:
    // Loaded once per test process; fails the calling test when missing.
    static const TypextModule& Get();

    const std::vector<TypeRecord>& Records() const { return records_; }
    std::optional<QString> Description() const { return description_; }
    const TypeRecord& Type(const QString& name) const;

private:
    TypextModule();
    static int32_t Register(void* hostContext, const void* record);

    std::vector<TypeRecord> records_;
    std::optional<QString> description_;
};

// The type's text for the bytes (which must be exactly size bytes).
QString FormatValue(const TypeRecord& type, const QByteArray& bytes, bool bigEndian = false);
// The bytes the text parses to; nullopt when the parse fails.
std::optional<QByteArray> ParseValue(const TypeRecord& type, const QString& text, bool bigEndian = false,
                                     int32_t* radix = nullptr);

QByteArray Bytes(std::initializer_list<int> values);
QByteArray Le16(int value);

// Sets the default locale for its lifetime.
class LocaleGuard {
public:
    explicit LocaleGuard(const QString& name) : previous_(QLocale()) { QLocale::setDefault(QLocale(name)); }
    ~LocaleGuard() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};
