#include "ViewClipboard.h"

#include "CaretController.h"
#include "EditCommands.h"
#include "PasteModeDlg.h"
#include "PasteSource.h"
#include "RangeToFile.h"
#include "TransferCount.h"
#include "TransferDialogs.h"
#include "furniture/UserInterface.h"
#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"
#include "settings/AppSettings.h"
#include "platform/Clipboard.h"
#include "platform/FileErrors.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"

#include <algorithm>
#include <new>

bool CViewClipboard::Writable() const
{
    const CBinEditDoc* doc = subject_.document;
    return doc && !doc->IsReadOnly();
}

bool CViewClipboard::CanCopy() const { return subject_.document && subject_.caret.hasSelection; }

bool CViewClipboard::CanCut() const { return CanCopy() && Writable(); }

bool CViewClipboard::CanPaste() const
{
    return Writable() && platform::ClipboardFormats().contains(QString::fromLatin1(platform::kClipboardTextFormat));
}

// ---------------------------------------------------------------- selection bytes

QString PastedFileTooLargeText(int64_t size)
{
    return QStringLiteral("The file holds %1 bytes; Paste from File inserts at most %2 bytes, which it holds in memory.")
        .arg(size)
        .arg(CViewClipboard::kMaxHeldSelection);
}

QString SelectionTooLargeText(int64_t length)
{
    return QStringLiteral("The selection of %1 bytes is too large for the clipboard, which takes at most %2 bytes. "
                          "Copy to File writes a selection of any size.")
        .arg(length)
        .arg(CViewClipboard::kMaxHeldSelection);
}

bool CViewClipboard::GetSelectionBytes(QByteArray& bytes) const
{
    const CSelectionPos& caret = subject_.caret;
    if (!subject_.document || !caret.hasSelection)
        return false;
    const int64_t length = caret.selEnd - caret.selStart;
    if (length > kMaxHeldSelection)
        return false;
    try {
        bytes = QByteArray(qsizetype(length), '\0');
    } catch (const std::bad_alloc&) {
        bytes.clear();
        return false;
    }
    CBufferPos reader = caret;
    reader.Seek(caret.selStart);
    reader.Read(bytes.data(), length);
    return true;
}

// ---------------------------------------------------------------- commands

bool CViewClipboard::Copy()
{
    if (!CanCopy())
        return false;
    platform::WaitCursor wait;
    const int64_t length = subject_.caret.selEnd - subject_.caret.selStart;
    if (length > kMaxHeldSelection) {
        platform::ShowMessage(SelectionTooLargeText(length));
        return false;
    }
    QByteArray bytes;
    if (!GetSelectionBytes(bytes)) {
        platform::ShowMessage(platform::OutOfMemoryText());
        return false;
    }
    // "text/plain" is the bytes themselves here: a terminating zero would
    // reach terminals and editors as part of the text.
    return platform::SetClipboardTextWithLength(bytes, int64_t(bytes.size()));
}

bool CViewClipboard::Cut()
{
    // The bytes are deleted only once the clipboard really holds them.
    return CanCut() && Copy() && edits_.DeleteSelection();
}

bool CViewClipboard::Paste()
{
    if (!CanPaste())
        return false;
    const std::optional<QByteArray> text = platform::ClipboardText();
    if (!text)
        return false;
    const int64_t count = TransferByteCount(*text, platform::ClipboardBinaryLength());
    return PasteBytes(text->constData(), count, PasteMode::Normal, true);
}

bool CViewClipboard::CopyToFileCommand()
{
    if (!CanCopyToFile())
        return false;
    const std::optional<QString> path = ui_.ChooseFilePath(
        &dialogParent_, TransferFileRequest(TransferDialog::CopyToFile, subject_.settings.fileFilters));
    return path && WriteSelectionToFile(*path);
}

bool CViewClipboard::PasteFromFileCommand()
{
    if (!CanPasteFromFile())
        return false;
    const std::optional<QString> path = ui_.ChooseFilePath(
        &dialogParent_, TransferFileRequest(TransferDialog::PasteFromFile, subject_.settings.fileFilters));
    return path && PasteFromFile(*path, PasteMode::Normal, true);
}

// ---------------------------------------------------------------- transfers

bool CViewClipboard::WriteSelectionToFile(const QString& path) { return WriteSelection(path, WriteRangeToFile); }

bool CViewClipboard::WriteSelectionToTempFile(const QString& path) { return WriteSelection(path, WriteRangeToTempFile); }

bool CViewClipboard::WriteSelection(const QString& path,
                                    bool (*write)(const CBufferPos& from, int64_t count, const QString& path))
{
    const CSelectionPos& caret = subject_.caret;
    if (!subject_.document || !caret.hasSelection)
        return false;
    platform::WaitCursor wait;
    CBufferPos from = caret;
    from.Seek(caret.selStart);
    try {
        return write(from, caret.selEnd - caret.selStart, path);
    } catch (const std::bad_alloc&) {
        platform::ShowMessage(platform::OutOfMemoryText());
        return false;
    }
}

std::optional<PasteRules> CViewClipboard::SettleRules(PasteMode mode)
{
    AppSettings& s = subject_.settings;
    if (mode == PasteMode::Normal && s.promptForPasteMode) {
        CPasteModeDlg dialog(PasteModeChoice{s.pasteOverwrite, true}, &dialogParent_);
        if (ui_.RunDialog(dialog) != QDialog::Accepted)
            return std::nullopt;
        const PasteModeChoice choice = dialog.Choice();
        s.pasteOverwrite = choice.overwrite;
        s.promptForPasteMode = choice.prompt;
    }
    return RulesFor(mode, s.replaceSelection, s.pasteOverwrite);
}

bool CViewClipboard::Paste(IPasteSource& source, const PasteRules& rules, bool record, bool* sourceFailed)
{
    CBinEditDoc& doc = *subject_.document;
    const PasteOutcome outcome = RunPaste(doc, subject_.caret, source, rules, record);
    if (sourceFailed)
        *sourceFailed = outcome.sourceFailed;
    if (!outcome.changed)
        return false;
    if (rules.selectPasted) {
        caretControl_.SetCaret(outcome.at, CaretMode::Move);
        caretControl_.SetCaret(int64_t(outcome.at) + outcome.count, CaretMode::Extend);
    } else {
        caretControl_.SetCaret(int64_t(outcome.at) + outcome.count, CaretMode::Move);
    }
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, DocumentChange::Everything());
    return true;
}

bool CViewClipboard::PasteBytes(const void* data, int64_t count, PasteMode mode, bool record)
{
    if (!Writable())
        return false;
    const std::optional<PasteRules> rules = SettleRules(mode);
    if (!rules)
        return false;
    platform::WaitCursor wait;
    CMemoryPasteSource source(data, count);
    return Paste(source, *rules, record, nullptr);
}

bool CViewClipboard::PasteFromFile(const QString& path, PasteMode mode, bool record)
{
    if (!Writable())
        return false;
    const std::optional<PasteRules> rules = SettleRules(mode);
    if (!rules)
        return false;
    platform::WaitCursor wait;
    try {
        CFilePasteSource source;
        if (!source.Open(path)) {
            platform::ReportFileError(source.Error(), path);
            return false;
        }
        // The pasted bytes are held in memory; past this a paste would take
        // the machine's memory instead of failing cleanly.
        if (source.Count() > kMaxHeldSelection) {
            platform::ShowMessage(path + QStringLiteral("\n\n") + PastedFileTooLargeText(source.Count()));
            return false;
        }
        bool sourceFailed = false;
        const bool pasted = Paste(source, *rules, record, &sourceFailed);
        if (sourceFailed)
            platform::ReportFileError(source.Error(), path);
        return pasted && !sourceFailed;
    } catch (const std::bad_alloc&) {
        platform::ShowMessage(platform::OutOfMemoryText());
        return false;
    }
}

bool CViewClipboard::OverwriteRange(int64_t offset, const void* data, int64_t count)
{
    CBinEditDoc* doc = subject_.document;
    if (!Writable() || offset < 0 || count <= 0 || offset >= doc->Size())
        return false;
    count = std::min<int64_t>(count, doc->Size() - offset);
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, offset);
    if (!doc->RecordEdit(at, UndoKind::RestoreBytes, count, count))
        return false;
    at.Write(data, count);
    doc->SetModifiedFlag(true);
    doc->UpdateAllViews(nullptr, DocumentChange::Overwritten(offset, count));
    return true;
}
