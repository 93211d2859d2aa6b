#pragma once
// The "General" options: start-up, painting, printing, editing and the undo
// and redo levels.
#include <QWidget>

class CIntEdit;
class QCheckBox;
struct OptionsState;

class COptionsGeneral : public QWidget {
    Q_OBJECT
public:
    COptionsGeneral(const OptionsState& state, QWidget* parent = nullptr);

    // The check boxes in page order: the left column, then the right.
    const QList<QCheckBox*>& Boxes() const { return boxes_; }

    // Writes the page into state; false (after the range message, with the
    // field focused) when a level is out of range.
    bool Commit(OptionsState& state);

    CIntEdit* UndoField() const { return undo_; }
    CIntEdit* RedoField() const { return redo_; }

private:
    QCheckBox* AddBox(const QString& text, bool checked);

    QList<QCheckBox*> boxes_;
    CIntEdit* undo_ = nullptr;
    CIntEdit* redo_ = nullptr;
};
