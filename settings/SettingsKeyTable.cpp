#include "SettingsKeyTable.h"

#include "settings/SettingsValues.h"

#include <QtEndian>
#include <algorithm>

namespace {

using S = AppSettings;

const SettingsKey kPreferenceKeys[] = {
    // General and editing.
    {"ReadOnly", &S::readOnly},
    {"InsertMode", &S::insertMode},
    {"MultipleInstances", &S::multipleInstances},
    {"OverstrikeOnStartup", &S::overstrikeOnStartup},
    {"ReplaceSelection", &S::replaceSelection},
    {"DragAndDrop", &S::dragAndDrop},
    {"ShowAllChars", &S::showAllChars},
    {"ScrollTracking", &S::scrollTracking},
    {"WarnCantUndo", &S::warnCantUndo},
    {"UndoLevels", &S::undoLevels},
    {"RedoLevels", &S::redoLevels},
    {"ExtentThresholdMiB", &S::extentThresholdMiB},
    {"BlockCacheMiB", &S::blockCacheMiB},
    {"NewFile", &S::newFile},
    {"PasteOverwrite", &S::pasteOverwrite},
    {"PromptForPasteMode", &S::promptForPasteMode},
    {"AddToExplorerMenu", &S::addToExplorerMenu},
    {"FlickerFreePainting", &S::flickerFreePainting},
    {"PrintBlackWhite", &S::printBlackWhite},
    // Layout and colours.
    {"BytesPerRow", &S::bytesPerRow},
    {"GroupBy", &S::groupBy},
    {"SizeToFit", &S::sizeToFit},
    {"ShowDash", &S::showDash},
    {"ShowSizeBar", &S::showSizeBar},
    {"Columns", &S::columns},
    {"OffsetFormat", &S::offsetFormat},
    {"OffsetTextColor", ColorSlotField{S::OffsetTextColor}},
    {"OddTextColor", ColorSlotField{S::OddTextColor}},
    {"EvenTextColor", ColorSlotField{S::EvenTextColor}},
    {"AsciiTextColor", ColorSlotField{S::AsciiTextColor}},
    {"BackgroundColor", ColorSlotField{S::BackgroundColor}},
    {"SelTextColor", ColorSlotField{S::SelTextColor}},
    {"SelBackgroundColor", ColorSlotField{S::SelBackgroundColor}},
    {"SelTextInactive", ColorSlotField{S::SelTextInactive}},
    {"SelBackgroundInactive", ColorSlotField{S::SelBackgroundInactive}},
    {"DataTextColor", ColorSlotField{S::DataTextColor}},
    {"DataBackgroundColor", ColorSlotField{S::DataBackgroundColor}},
    {"SizeBarColor", ColorSlotField{S::SizeBarColor}},
    {"UserColors", UserColorsField{}},
    {"Font2", FontField{}},
    // Status bar and file types.
    {"StatusFormat", &S::statusFormat},
    {"PosSelStyle", &S::posSelStyle},
    {"FileFilters", &S::fileFilters},
    // Tool dialogs.
    {"GoToRadix", &S::goToRadix},
    {"FindType", &S::findType},
    {"FindText", &S::findText},
    {"FindUnicode", &S::findUnicode},
    {"FindTextBigEndian", &S::findTextBigEndian},
    {"FindValue", &S::findValue},
    {"FindValueType", &S::findValueType},
    {"FindValueBigEndian", &S::findValueBigEndian},
    {"FindData", &S::findData},
    {"FindHexCol", &S::findHexCol},
    {"MatchCase", &S::matchCase},
    {"ReplaceType", &S::replaceType},
    {"ReplaceText", &S::replaceText},
    {"ReplaceUnicode", &S::replaceUnicode},
    {"ReplaceTextBigEndian", &S::replaceTextBigEndian},
    {"ReplaceValue", &S::replaceValue},
    {"ReplaceValueType", &S::replaceValueType},
    {"ReplaceValueBigEndian", &S::replaceValueBigEndian},
    {"ReplaceData", &S::replaceData},
    {"ReplaceHexCol", &S::replaceHexCol},
    {"ModifyCountRadix", &S::modifyCountRadix},
    {"ModifyCount", &S::modifyCount},
    {"ModifyType", &S::modifyType},
    {"ModifyAction", &S::modifyAction},
    {"ActionValue", &S::actionValue},
    {"ModifyBigEndian", &S::modifyBigEndian},
    {"ModifyValue", &S::modifyValue},
    {"ModifyAction2", &S::modifyAction2},
    {"ActionValue2", &S::actionValue2},
    {"InsertCountRadix", &S::insertCountRadix},
    {"InsertCount", &S::insertCount},
    {"InsertType", &S::insertType},
    {"InsertValue", &S::insertValue},
    {"InsertBigEndian", &S::insertBigEndian},
    {"DeleteCountRadix", &S::deleteCountRadix},
    {"DeleteCount", &S::deleteCount},
    {"DeleteType", &S::deleteType},
    {"MinMatchLen", &S::minMatchLen},
    {"SideBySide", &S::sideBySide},
};

const SettingsKey kMainWindowKeys[] = {
    {"WindowMax", &S::windowMax},
    {"DataViewType", &S::dataViewType},
    {"DataSplitterPos", &S::dataSplitterPos},
    {"DataHexadecimal", &S::dataHexadecimal},
    {"DataBigEndian", &S::dataBigEndian},
    {"StructSplitterPos", &S::structSplitterPos},
    {"StructExpandArrays", &S::structExpandArrays},
    {"StructHexadecimal", &S::structHexadecimal},
    {"StructBigEndian", &S::structBigEndian},
    {"StructCurrent", &S::structCurrent},
};

constexpr int kUserColorBytes = AppSettings::kUserColorCount * 4;

// The stored block replaces the defaults byte by byte, so a short block
// changes only the first colours and keeps the rest.
void MergeUserColors(const QByteArray& stored, uint32_t (&colors)[AppSettings::kUserColorCount])
{
    uchar bytes[kUserColorBytes];
    for (int i = 0; i < AppSettings::kUserColorCount; ++i)
        qToLittleEndian<uint32_t>(colors[i], bytes + 4 * i);
    std::copy_n(stored.constData(), std::min<qsizetype>(stored.size(), kUserColorBytes), bytes);
    for (int i = 0; i < AppSettings::kUserColorCount; ++i)
        colors[i] = qFromLittleEndian<uint32_t>(bytes + 4 * i);
}

QByteArray UserColorsToBytes(const uint32_t (&colors)[AppSettings::kUserColorCount])
{
    QByteArray bytes(kUserColorBytes, '\0');
    for (int i = 0; i < AppSettings::kUserColorCount; ++i)
        qToLittleEndian<uint32_t>(colors[i], bytes.data() + 4 * i);
    return bytes;
}

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

} // namespace

std::span<const SettingsKey> PreferenceKeys() { return kPreferenceKeys; }

std::span<const SettingsKey> MainWindowKeys() { return kMainWindowKeys; }

void ReadSettingsKey(const QSettings& settings, const SettingsKey& key, const AppSettings& defaults, AppSettings& into)
{
    const QLatin1StringView name(key.name);
    std::visit(Overloaded{
                   [&](bool S::*flag) { into.*flag = ReadFlag(settings, name, defaults.*flag); },
                   [&](int S::*number) { into.*number = ReadInt(settings, name, defaults.*number); },
                   [&](QString S::*text) { into.*text = ReadText(settings, name, defaults.*text); },
                   [&](QByteArray S::*block) { into.*block = ReadBytes(settings, name).value_or(defaults.*block); },
                   [&](ColorSlotField color) {
                       into.colors[color.slot] = ReadWord(settings, name, defaults.colors[color.slot]);
                   },
                   [&](UserColorsField) {
                       std::copy(std::begin(defaults.userColors), std::end(defaults.userColors), into.userColors);
                       if (const auto stored = ReadBytes(settings, name))
                           MergeUserColors(*stored, into.userColors);
                   },
                   [&](FontField) {
                       // Only a complete record with a readable height replaces
                       // the default; anything else would make the view unreadable.
                       into.font2 = defaults.font2;
                       const auto stored = ReadBytes(settings, name);
                       if (!stored || stored->size() != qsizetype(sizeof(platform::FontRecord)))
                           return;
                       platform::FontRecord record;
                       platform::FontRecordFromBytes(*stored, record);
                       if (platform::FontRecordIsUsable(record))
                           into.font2 = record;
                   },
               },
               key.field);
}

void WriteSettingsKey(QSettings& settings, const SettingsKey& key, const AppSettings& from)
{
    const QLatin1StringView name(key.name);
    std::visit(Overloaded{
                   [&](bool S::*flag) { WriteFlag(settings, name, from.*flag); },
                   [&](int S::*number) { WriteInt(settings, name, from.*number); },
                   [&](QString S::*text) { WriteText(settings, name, from.*text); },
                   [&](QByteArray S::*block) { WriteBytes(settings, name, from.*block); },
                   [&](ColorSlotField color) { WriteInt(settings, name, int(from.colors[color.slot])); },
                   [&](UserColorsField) { WriteBytes(settings, name, UserColorsToBytes(from.userColors)); },
                   [&](FontField) { WriteBytes(settings, name, platform::FontRecordToBytes(from.font2)); },
               },
               key.field);
}
