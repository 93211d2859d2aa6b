// Renders a hex view of a real file to PNG files in several settings, so the
// painting can be looked at: scripts/view-screenshots.sh runs it headless.
// The "edit-" shots are made by driving the view with keys as a user would,
// and one shot shows the Paste Mode dialog.
//   view_screenshots FILE OUTDIR
#include "furniture/DesktopInterface.h"
#include "settings/AppSettings.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/PasteModeDlg.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPalette>
#include <QStyleFactory>
#include <QTest>
#include <cstdio>
#include <functional>

namespace {

QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(220, 220, 220));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::Text, QColor(212, 212, 212));
    p.setColor(QPalette::Button, QColor(62, 62, 66));
    p.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    p.setColor(QPalette::Highlight, QColor(38, 79, 120));
    p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    return p;
}

class SampleMarks : public IViewMarks {
public:
    std::vector<int64_t> BookmarksIn(const CBinEditDoc&, int64_t from, int64_t to) const override
    {
        std::vector<int64_t> marks;
        for (int64_t b : {0x12, 0x47})
            if (b >= from && b < to)
                marks.push_back(b);
        return marks;
    }
    std::pair<int64_t, int64_t> InspectorRange(const CBinEditDoc&) const override { return {0x58, 0x5C}; }
};

// Selects from 0x23 with Shift+Right and Shift+Down, as a user would.
void KeySelect(CBinEditView& v)
{
    v.CaretControl().SetCaret(0x23, CaretMode::Move);
    QTest::keyClick(&v, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&v, Qt::Key_Down, Qt::ShiftModifier);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&v, Qt::Key_Right, Qt::ShiftModifier);
}

struct Shot {
    const char* name;
    std::function<void(AppSettings&)> settings;
    std::function<void(CBinEditView&)> view;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: view_screenshots FILE OUTDIR\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette light = QApplication::palette();
    const QString file = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());
    SampleMarks marks;

    auto select = [](CBinEditView& v) {
        v.Caret().Seek(0x6A);
        v.Caret().hasSelection = true;
        v.Caret().selStart = 0x23;
        v.Caret().selEnd = 0x6A;
    };
    const Shot shots[] = {
        {"default", [](AppSettings&) {}, nullptr},
        {"decimal-offsets", [](AppSettings& s) { s.offsetFormat = 0; }, nullptr},
        {"group-by-4",
         [](AppSettings& s) {
             s.groupBy = 2;
             s.bytesPerRow = 32;
         },
         nullptr},
        {"ascii-only",
         [](AppSettings& s) {
             s.columns = 2;
             s.bytesPerRow = 64;
         },
         nullptr},
        {"hex-only-no-dash",
         [](AppSettings& s) {
             s.columns = 1;
             s.showDash = false;
         },
         nullptr},
        {"selection-active", [](AppSettings&) {}, select},
        {"selection-inactive", [](AppSettings&) {},
         [&](CBinEditView& v) {
             select(v);
             v.SetActiveView(false);
         }},
        {"selection-char-column", [](AppSettings&) {},
         [&](CBinEditView& v) {
             select(v);
             v.SetHexActive(false);
         }},
        {"size-bar-all-chars",
         [](AppSettings& s) {
             s.showSizeBar = true;
             s.showAllChars = true;
         },
         nullptr},
        {"marks", [](AppSettings&) {}, [&](CBinEditView& v) { v.SetMarks(&marks); }},
        {"dark", [](AppSettings&) {}, select},
        {"scrolled-end", [](AppSettings& s) { s.groupBy = 1; },
         [](CBinEditView& v) { v.SetTop(v.Document()->Size()); }},
        // Shift+arrows from 0x23: the selection in the caret's (active)
        // column and in the other (inactive) column.
        {"edit-selection-hex-column", [](AppSettings&) {}, [](CBinEditView& v) { KeySelect(v); }},
        {"edit-selection-char-column", [](AppSettings&) {},
         [](CBinEditView& v) {
             QTest::keyClick(&v, Qt::Key_Tab);
             KeySelect(v);
         }},
        // One hex digit typed over the byte at 0x41: the caret between its digits.
        {"edit-pending-low-nibble", [](AppSettings&) {},
         [](CBinEditView& v) {
             v.CaretControl().SetCaret(0x41, CaretMode::Move);
             QTest::keyClicks(&v, "7");
         }},
        // End on the last byte of a row: the caret after that row's last digit.
        {"edit-caret-row-end", [](AppSettings&) {},
         [](CBinEditView& v) {
             v.CaretControl().SetCaret(0x3E, CaretMode::Move);
             QTest::keyClick(&v, Qt::Key_End);
         }},
        {"edit-caret-row-end-char-column", [](AppSettings&) {},
         [](CBinEditView& v) {
             QTest::keyClick(&v, Qt::Key_Tab);
             v.CaretControl().SetCaret(0x3E, CaretMode::Move);
             QTest::keyClick(&v, Qt::Key_End);
         }},
    };

    CBinEditDoc doc;
    if (!doc.OnOpenDocument(file)) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    CDesktopInterface desktop;
    for (const Shot& shot : shots) {
        AppSettings settings;
        shot.settings(settings);
        const bool dark = QByteArray(shot.name) == "dark";
        QApplication::setPalette(dark ? DarkPalette() : light);
        CBinEditView view(&doc, settings, desktop);
        view.resize(820, 420);
        view.show();
        view.OnInitialUpdate();
        const bool editing = QByteArray(shot.name).startsWith("edit-");
        if (editing) {
            // Focused, so that the caret is drawn.
            view.activateWindow();
            view.setFocus();
            QApplication::processEvents();
        }
        if (shot.view)
            shot.view(view);
        QApplication::processEvents();
        const QString path = out.filePath(QString::fromLatin1(shot.name) + QStringLiteral(".png"));
        // Rendered into an image like the window's backing store, so the
        // shots show the painting a window gets.
        QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        view.render(&image);
        if (!image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
        std::printf("%s\n", qPrintable(path));
    }

    // The Paste Mode dialog as a paste in overwrite mode shows it.
    QApplication::setPalette(light);
    CPasteModeDlg dialog(PasteModeChoice{true, true});
    dialog.show();
    QApplication::processEvents();
    const QString dialogPath = out.filePath(QStringLiteral("paste-mode-dialog.png"));
    if (!dialog.grab().save(dialogPath)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(dialogPath));
        ++failures;
    }
    std::printf("%s\n", qPrintable(dialogPath));
    return failures == 0 ? 0 : 1;
}
