#pragma once
// The system clipboard as the program and its modules use it. Plain text is
// the MIME type "text/plain" carrying raw 8-bit bytes (no conversion); the
// program's private length block is "application/x-vantrel-binary", a 4-byte
// little-endian signed byte count. Every call goes to the application's
// QClipboard and fails cleanly when there is no GUI application.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class QMimeData;

namespace platform {

inline constexpr char kClipboardTextFormat[] = "text/plain";
inline constexpr char kClipboardBinaryFormat[] = "application/x-vantrel-binary";

// Replaces the clipboard with the text bytes exactly as given.
bool SetClipboardText(const QByteArray& bytes);
// Replaces the clipboard with the text bytes plus the length block.
bool SetClipboardTextWithLength(const QByteArray& bytes, int32_t length);

// The raw "text/plain" bytes; nullopt when the clipboard offers no text.
std::optional<QByteArray> ClipboardText();
// The count in the length block; nullopt when absent or not 4 bytes long.
std::optional<int32_t> ClipboardBinaryLength();

// The formats the clipboard offers, in the order it offers them.
QStringList ClipboardFormats();
// The raw data of one format; nullopt when the format is not offered.
std::optional<QByteArray> ClipboardData(const QString& format);

// Builders for drag and drop, which carries the same two formats.
QMimeData* NewTextMimeData(const QByteArray& bytes, std::optional<int32_t> length);
QByteArray EncodeBinaryLength(int32_t length);
std::optional<int32_t> DecodeBinaryLength(const QByteArray& block);

// The raw-paste format chooser is a modal dialog of the import module. Tests
// install a hook that answers it instead (the chosen format, or nullopt for
// Cancel); the hook lives here because this library exists once per process,
// so it reaches code inside a loaded module.
using ClipboardFormatChooser = std::function<std::optional<QString>(const QStringList& formats)>;
ClipboardFormatChooser SetClipboardFormatChooserHook(ClipboardFormatChooser hook);
const ClipboardFormatChooser& ClipboardFormatChooserHook();

} // namespace platform
