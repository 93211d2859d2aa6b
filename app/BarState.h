#pragma once
// Where the tool bars and the Data Inspector pane were: the main window's
// saved state under the "CtrlBars" prefix ("CtrlBars-Summary").
#include <QByteArray>
#include <QSettings>

inline constexpr int kBarStateVersion = 1;

QByteArray LoadBarState(QSettings& store);
void SaveBarState(QSettings& store, const QByteArray& state);
