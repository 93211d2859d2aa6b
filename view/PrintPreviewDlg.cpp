#include "PrintPreviewDlg.h"

#include "PrintJob.h"

#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
constexpr int kZoomSteps[] = {0, 25, 50, 75, 100, 150, 200};
constexpr int kPageGap = 16;  // grey around the page, in screen pixels
} // namespace

CPrintPreviewDlg::CPrintPreviewDlg(const PrintSource& source, QPrinter& printer, QWidget* parent)
    : QDialog(parent),
      geometry_(PrinterPageGeometry(printer)),
      pages_(std::make_unique<CPagePainter>(source, &printer)),
      printerDpi_(std::max(1, printer.logicalDpiY()))
{
    setWindowTitle(QStringLiteral("Print Preview"));
    pageCount_ = pages_->PageCount(geometry_);

    auto* print = new QPushButton(QStringLiteral("&Print..."));
    auto* first = new QPushButton(QStringLiteral("&First"));
    auto* previous = new QPushButton(QStringLiteral("Pre&v Page"));
    auto* next = new QPushButton(QStringLiteral("&Next Page"));
    auto* lastButton = new QPushButton(QStringLiteral("&Last"));
    auto* closeButton = new QPushButton(QStringLiteral("&Close"));
    // Enter in the page field goes to that page; a dialog's default button
    // would take it too and start printing.
    for (QPushButton* button : {print, first, previous, next, lastButton, closeButton})
        button->setAutoDefault(false);
    pageBox_ = new QLineEdit;
    pageBox_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,19}")), pageBox_));
    // Wide enough for the last page's number and a digit to spare.
    const QString lastNumber = QString::number(qlonglong(pageCount_));
    pageBox_->setMaximumWidth(pageBox_->fontMetrics().horizontalAdvance(lastNumber + QStringLiteral("00")) + 12);
    pageOf_ = new QLabel(QStringLiteral("of %1").arg(lastNumber));
    zoomBox_ = new QComboBox;
    for (int z : kZoomSteps)
        zoomBox_->addItem(z == 0 ? QStringLiteral("Whole Page") : QStringLiteral("%1%").arg(z), z);

    auto* bar = new QHBoxLayout;
    bar->addWidget(print);
    bar->addSpacing(12);
    bar->addWidget(first);
    bar->addWidget(previous);
    bar->addWidget(new QLabel(QStringLiteral("Page")));
    bar->addWidget(pageBox_);
    bar->addWidget(pageOf_);
    bar->addWidget(next);
    bar->addWidget(lastButton);
    bar->addSpacing(12);
    bar->addWidget(new QLabel(QStringLiteral("Zoom")));
    bar->addWidget(zoomBox_);
    bar->addStretch();
    bar->addWidget(closeButton);

    pageView_ = new QLabel;
    pageView_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea;
    scroll_->setWidget(pageView_);
    scroll_->setWidgetResizable(true);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    connect(print, &QPushButton::clicked, this, [this] {
        close();
        emit printRequested();
    });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(first, &QPushButton::clicked, this, [this] { SetPage(1); });
    connect(previous, &QPushButton::clicked, this, [this] { SetPage(page_ - 1); });
    connect(next, &QPushButton::clicked, this, [this] { SetPage(page_ + 1); });
    connect(lastButton, &QPushButton::clicked, this, [this] { SetPage(pageCount_); });
    connect(pageBox_, &QLineEdit::editingFinished, this, &CPrintPreviewDlg::PageTyped);
    connect(zoomBox_, &QComboBox::currentIndexChanged, this,
            [this](int i) { SetZoom(zoomBox_->itemData(i).toInt()); });
    auto key = [this](QKeySequence seq, auto fn) { connect(new QShortcut(seq, this), &QShortcut::activated, this, fn); };
    key(QKeySequence(Qt::Key_PageUp), [this] { SetPage(page_ - 1); });
    key(QKeySequence(Qt::Key_PageDown), [this] { SetPage(page_ + 1); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { SetPage(1); });
    key(QKeySequence(Qt::CTRL | Qt::Key_End), [this] { SetPage(pageCount_); });

    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableSize() : QSize(1024, 768);
    resize(std::min(screen.width(), 900), std::min(screen.height(), 1000));
    UpdateControls();
}

CPrintPreviewDlg::~CPrintPreviewDlg() = default;

double CPrintPreviewDlg::Scale() const
{
    const double screenDpi = logicalDpiY() > 0 ? logicalDpiY() : 96.0;
    if (zoom_ > 0)
        return zoom_ / 100.0 * screenDpi / printerDpi_;
    const QSize room = scroll_->viewport()->size() - QSize(2 * kPageGap, 2 * kPageGap);
    const QSize paper = geometry_.paper.size();
    if (paper.isEmpty() || room.isEmpty())
        return screenDpi / printerDpi_ / 4;
    return std::min(double(room.width()) / paper.width(), double(room.height()) / paper.height());
}

void CPrintPreviewDlg::Render()
{
    const double scale = Scale();
    const QSize size = (QSizeF(geometry_.paper.size()) * scale).toSize().expandedTo(QSize(1, 1));
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(Qt::white);
    {
        QPainter painter(&image_);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        painter.translate(-geometry_.paper.topLeft());
        pages_->PaintPage(painter, geometry_, page_);
    }
    painted_.push_back(page_);
    pageView_->setPixmap(QPixmap::fromImage(image_));
}

void CPrintPreviewDlg::SetPage(int64_t page)
{
    page = std::clamp<int64_t>(page, 1, pageCount_);
    if (page == page_ && !image_.isNull())
        return;
    page_ = page;
    UpdateControls();
    Render();
}

void CPrintPreviewDlg::SetZoom(int percent)
{
    zoom_ = std::max(0, percent);
    const int index = zoomBox_->findData(zoom_);
    if (index >= 0 && index != zoomBox_->currentIndex()) {
        const QSignalBlocker block(zoomBox_);
        zoomBox_->setCurrentIndex(index);
    }
    Render();
}

void CPrintPreviewDlg::UpdateControls()
{
    const QSignalBlocker block(pageBox_);
    pageBox_->setText(QString::number(qlonglong(page_)));
}

// A number beyond the last page (even beyond 64 bits) goes to the last
// page, as the spin box it replaces clamped; an empty field shows the
// current page again.
void CPrintPreviewDlg::PageTyped()
{
    const QString text = pageBox_->text();
    bool ok = false;
    const qlonglong typed = text.toLongLong(&ok);
    if (!text.isEmpty())
        SetPage(ok ? int64_t(typed) : pageCount_);
    UpdateControls();
}

bool CPrintPreviewDlg::eventFilter(QObject* watched, QEvent* event)
{
    // The page is first painted when the window it fits into has its final
    // size, which it may only get as it is shown (fitted into the screen);
    // later only a page fitted to the window changes with it.
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && (zoom_ == 0 || image_.isNull()) &&
        shown_)
        Render();
    return QDialog::eventFilter(watched, event);
}

void CPrintPreviewDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    shown_ = true;
    if (image_.isNull())
        Render();
}
