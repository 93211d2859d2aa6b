#include "IntEdit.h"

#include "tools/IntegerField.h"
#include "types/IntegerText.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

CIntEdit::CIntEdit(int64_t minimum, int64_t maximum, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum)
{
    setObjectName(QStringLiteral("IntEdit"));
    // The field takes any text; the dialog judges it on OK.
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    setAccelerated(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, [this] { emit textEdited(); });
}

QString CIntEdit::Text() const { return lineEdit()->text(); }

void CIntEdit::SetText(const QString& text) { lineEdit()->setText(text); }

void CIntEdit::SetValue(int64_t value) { SetText(FormatInteger(uint64_t(value), true, radix_)); }

int CIntEdit::Radix() const
{
    const ParsedInteger parsed = ParseInteger(Text());
    return parsed.Ok() ? parsed.radix : radix_;
}

void CIntEdit::RewriteInRadix(int radix)
{
    radix_ = radix;
    SetText(RewriteIntegerField(Text(), radix));
}

void CIntEdit::SelectAllText() { lineEdit()->selectAll(); }

void CIntEdit::stepBy(int steps)
{
    // The arrows keep the radix the user wrote the value in.
    radix_ = Radix();
    SetText(StepIntegerField(Text(), steps, minimum_, maximum_, radix_));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled CIntEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    return StepUpEnabled | StepDownEnabled;
}

QMenu* CIntEdit::CreateContextMenu(QWidget* parent)
{
    QLineEdit* edit = lineEdit();
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("IntEdit"));
    const bool writable = !isReadOnly();
    const bool selection = edit->hasSelectedText();
    menu->addAction(QStringLiteral("&Undo"), edit, &QLineEdit::undo)->setEnabled(writable && edit->isUndoAvailable());
    menu->addSeparator();
    menu->addAction(QStringLiteral("Cu&t"), edit, &QLineEdit::cut)->setEnabled(writable && selection);
    menu->addAction(QStringLiteral("&Copy"), edit, &QLineEdit::copy)->setEnabled(selection);
    menu->addAction(QStringLiteral("&Paste"), edit, &QLineEdit::paste)->setEnabled(writable);
    menu->addAction(QStringLiteral("&Delete"), edit, &QLineEdit::del)->setEnabled(writable && selection);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Select &All"), edit, &QLineEdit::selectAll)->setEnabled(!Text().isEmpty());
    menu->addSeparator();
    auto* radixes = new QActionGroup(menu);
    const int current = Radix();
    const std::pair<const char*, int> items[] = {{"&Hexadecimal", 16}, {"Deci&mal", 10}, {"&Octal", 8}};
    for (const auto& [text, radix] : items) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setCheckable(true);
        action->setChecked(radix == current);
        action->setEnabled(writable);
        radixes->addAction(action);
        const int r = radix;
        connect(action, &QAction::triggered, this, [this, r] { RewriteInRadix(r); });
    }
    return menu;
}

void CIntEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = CreateContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}
