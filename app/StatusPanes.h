#pragma once
// The status bar's six panes, in order: message, position or selection, file
// size, active column, mode, modified. The five fixed panes are as wide as
// their width templates in the status bar's font; each says in its tooltip
// what it shows.
#include <QObject>
#include <QString>
#include <array>

class QLabel;
class QStatusBar;
struct ViewStatus;

class CStatusPanes : public QObject {
    Q_OBJECT
public:
    enum Pane { Position, Size, Column, Mode, Modified, PaneCount };

    explicit CStatusPanes(QStatusBar* bar);

    // The texts of the active view, or empty panes without one.
    void Show(const ViewStatus& status);
    void Clear();
    // The message pane; an empty text shows the idle prompt again.
    void ShowMessage(const QString& text);

    QString Text(Pane pane) const;
    QString ToolTip(Pane pane) const;
    QString MessageText() const;
    static QString WidthTemplate(Pane pane);
    int PaneWidth(Pane pane) const;

private:
    void ShowTips(const ViewStatus& status);

    QStatusBar* bar_;
    QLabel* message_;
    std::array<QLabel*, PaneCount> panes_{};
};

inline const QString kIdlePrompt = QStringLiteral("Ready");
