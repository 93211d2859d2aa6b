#include "BarState.h"

#include "settings/SettingsValues.h"

namespace {
const QString kSummaryGroup = QStringLiteral("CtrlBars-Summary");
constexpr char kStateKey[] = "MainWindowState";
} // namespace

QByteArray LoadBarState(QSettings& store)
{
    SettingsGroupScope group(store, kSummaryGroup);
    return ReadBytes(store, kStateKey).value_or(QByteArray());
}

void SaveBarState(QSettings& store, const QByteArray& state)
{
    SettingsGroupScope group(store, kSummaryGroup);
    WriteBytes(store, kStateKey, state);
}
