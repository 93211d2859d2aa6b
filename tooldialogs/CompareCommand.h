#pragma once
// Compare Files: the dialog, the two documents opened or found and arranged
// next to each other, then the differences one by one (or all at once) with
// both views selecting each, and the results dialog at the end.
#include "tools/EscapePoller.h"

#include <QStringList>
#include <cstddef>
#include <optional>

class CBinEditView;
class CFileBuffer;
class QWidget;

// What the command needs from the window layer.
class ICompareWindows {
public:
    virtual ~ICompareWindows() = default;
    // Every open document's path, or its title when it has no file.
    virtual QStringList OpenDocumentNames() = 0;
    // The view of the document open under this path or title, or of the file
    // opened now; its window holds one pane only afterwards. Null when the
    // file could not be opened (the user has been told).
    virtual CBinEditView* ViewForCompare(const QString& name) = 0;
    // Both windows restored, every other document window minimised, the two
    // tiled side by side (or one above the other).
    virtual void ArrangeForCompare(CBinEditView* view1, CBinEditView* view2, bool sideBySide) = 0;
    virtual QWidget* DialogParent() = 0;
};

class CCompareCommand {
public:
    // The Esc check defaults to the program's event poller.
    explicit CCompareCommand(ICompareWindows& windows);

    void SetEscapePoller(EscapePoller poller) { escapePoller_ = std::move(poller); }
    // The tables' memory limit; by default half the physical memory less
    // what the two documents hold.
    void SetTableMemoryLimit(std::optional<size_t> bytes) { tableLimit_ = bytes; }

    void Run();

private:
    size_t TableLimit(const CFileBuffer& file1, const CFileBuffer& file2) const;

    ICompareWindows& windows_;
    EscapePoller escapePoller_;
    std::optional<size_t> tableLimit_;
};
