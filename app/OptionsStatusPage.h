#pragma once
// The "Status" options: the radix of the position and length panes and how
// a selection is written there.
#include <QWidget>

class QRadioButton;
struct OptionsState;

class COptionsStatus : public QWidget {
    Q_OBJECT
public:
    COptionsStatus(const OptionsState& state, QWidget* parent = nullptr);
    void Commit(OptionsState& state) const;

private:
    QRadioButton* radix_[3];
    QRadioButton* style_[2];
};
