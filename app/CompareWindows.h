#pragma once
// Compare Files in the main window: the open documents it offers, opening
// or finding the two files, and arranging their windows next to each other.
#include "tooldialogs/CompareCommand.h"

class CBinEditFrame;
class CDocManager;
class CMainFrame;
class QMdiArea;
struct AppSettings;

class CCompareWindows : public ICompareWindows {
public:
    // mdi is the frame's window area, where the two windows are arranged.
    CCompareWindows(CMainFrame& frame, QMdiArea& mdi, CDocManager& documents, AppSettings& settings,
                    IUserInterface& ui);

    void Run() { command_.Run(); }
    CCompareCommand& Command() { return command_; }

    QStringList OpenDocumentNames() override;
    CBinEditView* ViewForCompare(const QString& name) override;
    void ArrangeForCompare(CBinEditView* view1, CBinEditView* view2, bool sideBySide) override;
    QWidget* DialogParent() override;
    void SessionStarted(CCompareSession* session) override;

private:
    CBinEditFrame* FrameOf(const CBinEditView* view) const;

    CMainFrame& frame_;
    QMdiArea& mdi_;
    CDocManager& documents_;
    CCompareCommand command_;
};
