#pragma once
// The integer field with an up-down control used by the count, Go To and
// bookmark fields. Its text follows the program's integer syntax; it
// remembers the radix the value was last written in, and its context menu
// ("IntEdit") rewrites the value in another radix.
#include <QAbstractSpinBox>
#include <cstdint>

class QMenu;

class CIntEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    CIntEdit(int64_t minimum, int64_t maximum, QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    // Writes value in the remembered radix.
    void SetValue(int64_t value);
    // The radix of the text as it stands, or the remembered one while the
    // text does not parse.
    int Radix() const;
    void SetRadix(int radix) { radix_ = radix; }
    // The "Hexadecimal", "Decimal" and "Octal" items: the value written again in radix.
    void RewriteInRadix(int radix);
    void SelectAllText();

    int64_t Minimum() const { return minimum_; }
    int64_t Maximum() const { return maximum_; }

    void stepBy(int steps) override;
    // The context menu as it would show now; the caller owns it.
    QMenu* CreateContextMenu(QWidget* parent);

signals:
    void textEdited();

protected:
    StepEnabled stepEnabled() const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int64_t minimum_;
    int64_t maximum_;
    int radix_ = 16;
};
