#pragma once
// The three pages of a find or replace tab control: text, typed value and
// raw bytes. The Find dialog has one of them, the Replace dialog two.
#include "tools/FindSettings.h"

#include <QTabWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class VantrelHexEdit;
class ValueTypeRegistry;

// The data page holds at most this many bytes.
constexpr int FIND_DATA_MAX_LENGTH = 256;

class CFindPages : public QTabWidget {
    Q_OBJECT
public:
    // captionPrefix: "Find" or "Replace with".
    // types lists the value types of the value page.
    CFindPages(const QString& captionPrefix, const ValueTypeRegistry& types, QWidget* parent = nullptr);

    void Load(const FindPageSettings& settings);
    FindPageSettings Current() const;

    // Puts the keyboard focus in the active page's input, its text selected.
    void FocusInput();
    // The value page's edit, where a value that does not parse sends the focus.
    void FocusValue();

    QLineEdit* TextEdit() const { return text_; }
    QCheckBox* UnicodeBox() const { return unicode_; }
    QCheckBox* TextBigEndianBox() const { return textBigEndian_; }
    QLineEdit* ValueEdit() const { return value_; }
    QComboBox* ValueTypeBox() const { return valueType_; }
    QCheckBox* ValueBigEndianBox() const { return valueBigEndian_; }
    VantrelHexEdit* DataEdit() const { return data_; }

private:
    QWidget* MakeTextPage();
    QWidget* MakeValuePage(const ValueTypeRegistry& types);
    QWidget* MakeDataPage();

    QLineEdit* text_ = nullptr;
    QCheckBox* unicode_ = nullptr;
    QCheckBox* textBigEndian_ = nullptr;
    QLineEdit* value_ = nullptr;
    QComboBox* valueType_ = nullptr;
    QCheckBox* valueBigEndian_ = nullptr;
    VantrelHexEdit* data_ = nullptr;
};
