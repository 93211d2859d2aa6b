#pragma once
// The "General" options: start-up, painting, printing, editing, the undo
// and redo levels, and how big files are read.
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
    // field focused) when a number is out of range.
    bool Commit(OptionsState& state);

    CIntEdit* UndoField() const { return numberFields_[0]; }
    CIntEdit* RedoField() const { return numberFields_[1]; }
    CIntEdit* LargeFileField() const { return numberFields_[2]; }
    CIntEdit* ReadCacheField() const { return numberFields_[3]; }

private:
    QCheckBox* AddBox(const QString& text, bool checked);

    QList<QCheckBox*> boxes_;
    QList<CIntEdit*> numberFields_;  // the undo and redo levels, the large-file size, the read cache
};
