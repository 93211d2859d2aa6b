#pragma once
// Compare Files: the dialog, the two documents opened or found and arranged
// next to each other, then the differences one by one (or all at once) with
// both views selecting each, and the results dialog at the end. The
// comparison stays afterwards as a session: its differences coloured in
// both views, stepped through with Next and Previous Difference.
#include "tooldialogs/CompareSession.h"
#include "tools/EscapePoller.h"

#include <QStringList>
#include <cstddef>
#include <memory>
#include <optional>

class CBinEditView;
struct AppSettings;
class CFileBuffer;
class IUserInterface;
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
    // A comparison has started on the arranged views (the command owns it).
    virtual void SessionStarted(CCompareSession* session) { (void)session; }
};

class CCompareCommand {
public:
    // The Esc check defaults to the program's event poller. The dialog
    // starts from the settings' last choices and leaves its own there.
    CCompareCommand(ICompareWindows& windows, AppSettings& settings, IUserInterface& ui);

    void SetEscapePoller(EscapePoller poller) { escapePoller_ = std::move(poller); }
    // The tables' memory limit; by default half the physical memory less
    // what the two documents hold.
    void SetTableMemoryLimit(std::optional<size_t> bytes) { tableLimit_ = bytes; }

    void Run();
    // The comparison last started while both its views are open; null otherwise.
    CCompareSession* Session() const { return session_ && session_->IsOpen() ? session_.get() : nullptr; }
    // Forgets the comparison (its colours go).
    void EndSession() { session_.reset(); }

private:
    size_t TableLimit(const CFileBuffer& file1, const CFileBuffer& file2) const;

    ICompareWindows& windows_;
    AppSettings& settings_;
    IUserInterface& ui_;
    EscapePoller escapePoller_;
    std::optional<size_t> tableLimit_;
    std::unique_ptr<CCompareSession> session_;
};
