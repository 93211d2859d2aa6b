#pragma once
// One MDI child window on a document: one view, or two panes one above the
// other after Split. Titles follow the document: "Untitled1", "data.bin",
// "data.bin:2" when a document has several windows, and "*" while modified.
#include <QMdiSubWindow>
#include <functional>
#include <vector>

class IViewMarks;
class GlyphCellPool;

class CBinEditDoc;
class CBinEditView;
class IUserInterface;
class QSplitter;
struct AppSettings;

class CBinEditFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // Every pane of the frame shows marks (when given) from this source and
    // copies character cells from cells (when given).
    CBinEditFrame(CBinEditDoc* document, AppSettings& settings, IUserInterface& ui, QWidget* parent = nullptr,
                  const IViewMarks* marks = nullptr, GlyphCellPool* cells = nullptr);
    ~CBinEditFrame() override;

    CBinEditDoc* Document() const { return document_; }
    // The pane that had the keyboard focus last.
    CBinEditView* ActiveView() const { return active_; }
    const std::vector<CBinEditView*>& Panes() const { return panes_; }
    bool IsSplit() const { return panes_.size() > 1; }
    // Adds a second pane that starts where the active one stands, or removes it.
    void SetSplit(bool split);
    void FocusActiveView();

    // 0 when this is the document's only window, else its number.
    void SetWindowNumber(int number);
    void UpdateTitle();
    QString TitleText() const;

    // Asked before a close by the user; false keeps the window open.
    void SetCloseQuery(std::function<bool(CBinEditFrame*)> query) { closeQuery_ = std::move(query); }
    // Closes without asking (the question was asked already, or must not be).
    void CloseWithoutPrompt();

signals:
    void activeViewChanged(CBinEditFrame* frame, CBinEditView* view);
    // The close goes ahead; the views still exist.
    void closing(CBinEditFrame* frame);
    // The views are gone; the document may go too.
    void closed(CBinEditFrame* frame);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CBinEditView* AddPane();
    void RemovePane(CBinEditView* view);
    void DestroyViews();

    CBinEditDoc* document_;
    AppSettings& settings_;
    IUserInterface& ui_;
    QSplitter* splitter_;
    std::vector<CBinEditView*> panes_;
    const IViewMarks* marks_ = nullptr;
    GlyphCellPool* cells_ = nullptr;
    CBinEditView* active_ = nullptr;
    int number_ = 0;
    bool skipPrompt_ = false;
    bool closed_ = false;
    std::function<bool(CBinEditFrame*)> closeQuery_;
};
