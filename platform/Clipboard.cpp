#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtEndian>

namespace platform {

namespace {

QClipboard* SystemClipboard()
{
    // Without a GUI application there is no clipboard to talk to.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return nullptr;
    return QGuiApplication::clipboard();
}

const QMimeData* CurrentMimeData()
{
    QClipboard* clipboard = SystemClipboard();
    return clipboard ? clipboard->mimeData() : nullptr;
}

bool Publish(QMimeData* data)
{
    QClipboard* clipboard = SystemClipboard();
    if (!clipboard) {
        delete data;
        return false;
    }
    const QStringList offered = data->formats();
    clipboard->setMimeData(data); // the clipboard owns it from here
    // Reading back tells whether the platform really took the data.
    const QMimeData* now = clipboard->mimeData();
    if (!now)
        return false;
    for (const QString& format : offered)
        if (!now->hasFormat(format))
            return false;
    return true;
}

ClipboardFormatChooser& ChooserHook()
{
    static ClipboardFormatChooser hook;
    return hook;
}

} // namespace

QByteArray EncodeBinaryLength(int32_t length)
{
    QByteArray block(4, '\0');
    qToLittleEndian<qint32>(length, block.data());
    return block;
}

std::optional<int32_t> DecodeBinaryLength(const QByteArray& block)
{
    if (block.size() != 4)
        return std::nullopt;
    return qFromLittleEndian<qint32>(block.constData());
}

QMimeData* NewTextMimeData(const QByteArray& bytes, std::optional<int32_t> length)
{
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kClipboardTextFormat), bytes);
    if (length)
        data->setData(QString::fromLatin1(kClipboardBinaryFormat), EncodeBinaryLength(*length));
    return data;
}

bool SetClipboardText(const QByteArray& bytes) { return Publish(NewTextMimeData(bytes, std::nullopt)); }

bool SetClipboardTextWithLength(const QByteArray& bytes, int32_t length)
{
    return Publish(NewTextMimeData(bytes, length));
}

std::optional<QByteArray> ClipboardText() { return ClipboardData(QString::fromLatin1(kClipboardTextFormat)); }

std::optional<int32_t> ClipboardBinaryLength()
{
    const std::optional<QByteArray> block = ClipboardData(QString::fromLatin1(kClipboardBinaryFormat));
    return block ? DecodeBinaryLength(*block) : std::nullopt;
}

QStringList ClipboardFormats()
{
    const QMimeData* data = CurrentMimeData();
    return data ? data->formats() : QStringList();
}

std::optional<QByteArray> ClipboardData(const QString& format)
{
    const QMimeData* data = CurrentMimeData();
    if (!data || format.isEmpty() || !data->hasFormat(format))
        return std::nullopt;
    return data->data(format);
}

ClipboardFormatChooser SetClipboardFormatChooserHook(ClipboardFormatChooser hook)
{
    ClipboardFormatChooser previous = std::move(ChooserHook());
    ChooserHook() = std::move(hook);
    return previous;
}

const ClipboardFormatChooser& ClipboardFormatChooserHook() { return ChooserHook(); }

} // namespace platform
