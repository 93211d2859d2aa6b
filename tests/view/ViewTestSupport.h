#pragma once
// A document with known bytes shown in a hex view with fixed colours and a
// fixed font, and helpers that read grabbed pixels cell by cell.
#include "ScriptedInterface.h"
#include "settings/AppSettings.h"
#include "tools/DocumentFeedback.h"
#include "view/BinEditView.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

// Fixed colours, all different, so a pixel tells which rule painted it.
namespace test_colors {
inline const QColor kOffset(200, 0, 0);
inline const QColor kOdd(0, 128, 0);
inline const QColor kEven(0, 0, 220);
inline const QColor kAscii(128, 0, 128);
inline const QColor kBackground(255, 255, 224);
inline const QColor kSelText(255, 255, 255);
inline const QColor kSelBackground(0, 0, 128);
inline const QColor kSelTextInactive(0, 0, 0);
inline const QColor kSelBackgroundInactive(160, 160, 160);
inline const QColor kDataText(255, 255, 0);
inline const QColor kDataBackground(128, 64, 0);
inline const QColor kSizeBar(255, 128, 0);
} // namespace test_colors

// 0x00BBGGRR of a colour, as the settings store colours.
uint32_t ColorRef(const QColor& color);

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new document holding bytes, shown in a view of the given outer size.
    void Open(const QByteArray& bytes, QSize size = QSize(800, 400));
    // The file at path, of any size (big files are read through extents), in
    // a view of the given size; false when it cannot be opened.
    bool OpenFile(const QString& path, QSize size = QSize(800, 400));
    QByteArray Counting(int count) const;
    // Every byte of the open document.
    QByteArray FileBytes() const;

    QImage Grab() const;
    // A view of the current document, shown but not activated.
    void ShowDocument(QSize size);  // the viewport painted afresh
    // Client rectangle of a cell of the text drawn at columnX (pixels,
    // unscrolled) in window row r.
    QRect Cell(int columnX, int index, int row) const;

    // The settings every view of the test follows: fixed colours and font.
    AppSettings settings;
    // The host the program gives its documents: messages, questions, status.
    DocumentFeedback feedback;
    // Answers the views' dialogs and delivers their drags; it outlives them.
    ScriptedInterface ui;
    std::unique_ptr<CBinEditDoc> doc;
    std::unique_ptr<CBinEditView> view;
};

// Pixels of rect that are fg drawn over bg with at least half coverage.
int Ink(const QImage& image, const QRect& rect, const QColor& fg, const QColor& bg);
// Every pixel of rect is exactly color.
bool AllPixels(const QImage& image, const QRect& rect, const QColor& color);
