#pragma once
// The "Paste Mode" dialog: insert room for the pasted data or overwrite what
// is there, and whether to ask again next time. Tests answer it through a
// hook instead of showing it, so no test waits on a modal dialog.
#include <QDialog>
#include <functional>
#include <optional>

class QCheckBox;
class QRadioButton;

struct PasteModeChoice {
    bool overwrite = false;
    bool prompt = true;
    bool operator==(const PasteModeChoice&) const = default;
};

class CPasteModeDlg : public QDialog {
    Q_OBJECT
public:
    CPasteModeDlg(const PasteModeChoice& preset, QWidget* parent = nullptr);
    PasteModeChoice Choice() const;

    // The user's choice, or nothing for Cancel: from the installed hook when
    // there is one, else from the dialog shown modally.
    static std::optional<PasteModeChoice> Ask(QWidget* parent, const PasteModeChoice& preset);

    using AnswerHook = std::function<std::optional<PasteModeChoice>(const PasteModeChoice& preset)>;
    // Installs a hook and returns the previous one.
    static AnswerHook SetAnswerHook(AnswerHook hook);

private:
    QRadioButton* insert_;
    QRadioButton* overwrite_;
    QCheckBox* prompt_;
};
