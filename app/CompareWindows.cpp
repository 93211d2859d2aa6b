#include "CompareWindows.h"

#include "app/BinEditFrame.h"
#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "core/BinEditDoc.h"
#include "view/BinEditView.h"

#include <QLayout>
#include <QMdiArea>
#include <algorithm>

namespace {
QString NameOf(const CBinEditDoc& doc) { return doc.PathName().isEmpty() ? doc.Title() : doc.PathName(); }
} // namespace

CCompareWindows::CCompareWindows(CMainFrame& frame, QMdiArea& mdi, CDocManager& documents, AppSettings& settings,
                                 IUserInterface& ui)
    : frame_(frame), mdi_(mdi), documents_(documents), command_(*this, settings, ui)
{
}

QStringList CCompareWindows::OpenDocumentNames()
{
    QStringList names;
    for (const auto& doc : documents_.Documents())
        names.append(NameOf(*doc));
    return names;
}

CBinEditView* CCompareWindows::ViewForCompare(const QString& name)
{
    CBinEditDoc* document = nullptr;
    for (const auto& doc : documents_.Documents())
        if (NameOf(*doc) == name)
            document = doc.get();
    if (!document)
        document = documents_.OpenDocumentFile(name);
    if (!document)
        return nullptr;
    std::vector<CBinEditFrame*> frames = frame_.FramesOf(document);
    if (frames.empty()) {
        frame_.CreateFrame(document);
        frames = frame_.FramesOf(document);
        if (frames.empty())
            return nullptr;
    }
    CBinEditFrame* frame = frames.front();
    frame->SetSplit(false);
    return frame->ActiveView();
}

CBinEditFrame* CCompareWindows::FrameOf(const CBinEditView* view) const
{
    for (CBinEditFrame* frame : frame_.Frames()) {
        const auto& panes = frame->Panes();
        if (std::find(panes.begin(), panes.end(), view) != panes.end())
            return frame;
    }
    return nullptr;
}

void CCompareWindows::ArrangeForCompare(CBinEditView* view1, CBinEditView* view2, bool sideBySide)
{
    CBinEditFrame* first = FrameOf(view1);
    CBinEditFrame* second = FrameOf(view2);
    if (!first || !second)
        return;
    for (CBinEditFrame* frame : frame_.Frames())
        if (frame != first && frame != second)
            frame->showMinimized();
    QMdiArea* mdi = &mdi_;
    // Minimised windows line the bottom of the area; the two keep clear of them.
    const bool othersMinimised = frame_.Frames().size() > 2;
    QRect area = mdi->viewport()->rect();
    if (othersMinimised)
        area.setBottom(area.bottom() - first->minimumSizeHint().height());
    const std::array<CBinEditFrame*, 2> pair = {first, second};
    for (int i = 0; i < 2; ++i) {
        pair[size_t(i)]->showNormal();
        QRect cell = area;
        if (sideBySide) {
            cell.setLeft(area.left() + area.width() * i / 2);
            cell.setWidth(area.width() / 2);
        } else {
            cell.setTop(area.top() + area.height() * i / 2);
            cell.setHeight(area.height() / 2);
        }
        pair[size_t(i)]->setGeometry(cell);
    }
    mdi->setActiveSubWindow(first);
    // Whole rows in each window: where the half is too narrow for the
    // character column, fewer bytes per row rather than a scroll bar.
    for (CBinEditFrame* frame : pair)
        if (QLayout* layout = frame->layout())
            layout->activate();
    for (CBinEditView* view : {view1, view2}) {
        if (view->Geometry().totalWidth > view->ClientWidth())
            view->FitPanes();
    }
}

QWidget* CCompareWindows::DialogParent() { return &frame_; }

void CCompareWindows::SessionStarted(CCompareSession* session)
{
    // Dropped results, a closed window or linking switched: the commands follow.
    QObject::connect(session, &CCompareSession::changed, &frame_, [this] { frame_.UpdateCommands(); });
}
