#pragma once
// What a module needs of the program around it beyond the task contract: a
// message to the user, the clipboard's text and a scratch file. Modules reach
// the program's platform layer through here alone.
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace module_host {

void ShowWarning(const QString& text, const QString& caption = QStringLiteral("Error"));
void ShowInformation(const QString& text, const QString& caption);

// False, after telling the user "Error writing data to clipboard.", when the
// clipboard refuses the text.
bool PutTextOnClipboard(const QByteArray& text);
// Nothing when the clipboard holds no text.
std::optional<QByteArray> TextOnClipboard();

// Copy As through a module's file writer: writeText writes the text into the
// scratch file it is given and returns a task result; on success the file's
// text goes onto the clipboard. Returns the task's result.
uint32_t CopyWrittenText(const std::function<uint32_t(const QString& path)>& writeText);

// A new empty file in the system's temporary folder, removed when it goes
// out of scope; its path is empty when none could be made.
class ScratchFile {
public:
    ScratchFile();
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    const QString& Path() const { return path_; }

private:
    QString path_;
};

} // namespace module_host
