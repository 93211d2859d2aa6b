#pragma once
// Paints printed pages: the title at the top, the page number at the bottom
// and the rows of the printed range between them, in the screen's row format.
// It paints on any QPainter, so printing, the preview and the tests share it.
//
// Making one is the "begin" step: it scales the view font to the printer.
// The row layout is made when the first page is laid out, from that page's
// printable width, and stays for the whole job.
#include "CellFont.h"
#include "PrintPageLayout.h"
#include "RowLayout.h"
#include "core/BufferPos.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <cstdint>

class CFileBuffer;
class QPaintDevice;
class QPainter;

// The colours of printed text.
struct PrintColors {
    QColor offsetText;
    QColor oddText;
    QColor evenText;
    QColor asciiText;
};

// colors holds the settings' colour slots in AppSettings::ColorIndex order.
// System colours resolve as on white paper whatever the desktop theme, so a
// dark theme does not print light text; blackWhite prints everything black.
PrintColors ResolvePrintColors(const uint32_t* colors, bool blackWhite);

// What is printed and how, taken from the view and the settings.
struct PrintSource {
    CFileBuffer* buffer = nullptr;
    QString title;  // empty prints "<Untitled>"
    int64_t rangeStart = 0;
    int64_t rangeEnd = 0;
    QFont viewFont;
    int screenDpi = 96;
    LayoutOptions options;  // the view's bytes per row and display settings
    bool showAllChars = false;
    PrintColors colors;
};

class CPagePainter {
public:
    // device is the printer (or what stands in for it): the font is measured on it.
    CPagePainter(const PrintSource& source, QPaintDevice* device);

    // Paints page (counting from 1); true when the range ends on it.
    bool PaintPage(QPainter& painter, const PageGeometry& page, int64_t pageNumber);
    // Pages of the job on this page geometry (lays out as the first page would).
    int64_t PageCount(const PageGeometry& page);

    const RowLayout& Layout() const { return layout_; }
    bool LayoutDone() const { return layoutDone_; }
    int64_t LastPage() const { return lastPage_; }
    const CellFont& Font() const { return font_; }
    int PagesPainted() const { return pagesPainted_; }

private:
    struct Body {
        QRect rows;  // the printable rectangle less header and footer
        PrintRange range;
    };
    Body LayOut(const PageGeometry& page);
    void PaintRows(QPainter& painter, const Body& body, int64_t pageNumber);

    PrintSource source_;
    CellFont font_;
    RowLayout layout_;
    bool layoutDone_ = false;
    CBufferPos cursor_;
    int64_t lastPage_ = 0;
    int pagesPainted_ = 0;
};
