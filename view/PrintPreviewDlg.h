#pragma once
// The print preview: one page at a time, painted by the same page painter as
// the printout and only when it is shown, so a file of a million pages opens
// as fast as a file of one. Page Up and Page Down turn pages, Home and End go
// to the first and last, the page field jumps (a text field: page numbers
// outgrow a spin box's int); the zoom fits the page or scales
// it; Print closes the preview and asks for the print command.
#include "PagePainter.h"

#include <QDialog>
#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;

class CPrintPreviewDlg : public QDialog {
    Q_OBJECT
public:
    CPrintPreviewDlg(const PrintSource& source, QPrinter& printer, QWidget* parent = nullptr);
    ~CPrintPreviewDlg() override;

    int64_t CurrentPage() const { return page_; }
    int64_t PageCount() const { return pageCount_; }
    void SetPage(int64_t page);
    // The page field: the page shown, or one typed and confirmed with Enter.
    QLineEdit* PageField() const { return pageBox_; }
    // 0 fits the whole page into the window; otherwise percent of real size.
    void SetZoom(int percent);
    // Every page painted so far, in order (repaints of a shown page excluded).
    const std::vector<int64_t>& PaintedPages() const { return painted_; }
    QImage PageImage() const { return image_; }

signals:
    // The user chose Print: the preview has closed.
    void printRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Render();
    void UpdateControls();
    void PageTyped();
    double Scale() const;

    PageGeometry geometry_;
    std::unique_ptr<CPagePainter> pages_;
    int printerDpi_ = 72;
    int64_t page_ = 1;
    int64_t pageCount_ = 1;
    int zoom_ = 0;
    QImage image_;
    bool shown_ = false;  // the window has its final size on the screen
    std::vector<int64_t> painted_;

    QLineEdit* pageBox_ = nullptr;
    QLabel* pageOf_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageView_ = nullptr;
};
