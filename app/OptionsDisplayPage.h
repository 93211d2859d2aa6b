#pragma once
// The "Display" options: row layout, columns, offset radix and the colours
// of the display items; the layout and colours also load from and save to
// ".lay" files ("Manage Layouts...").
#include "app/LayoutFile.h"

#include <QWidget>
#include <cstdint>

class CColorComboBox;
class IUserInterface;
class QCheckBox;
class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;
struct OptionsState;

class COptionsDisplay : public QWidget {
    Q_OBJECT
public:
    COptionsDisplay(const OptionsState& state, IUserInterface& ui, QWidget* parent = nullptr);

    void Commit(OptionsState& state) const;
    // The page's values as a layout file holds them.
    LayoutValues Values() const;

    // "&Load Layout and Colors..." and "&Save Layout and Colors...".
    void LoadLayout();
    void SaveLayout();

    QComboBox* BytesPerRowList() const { return bytesPerRow_; }
    QComboBox* GroupByList() const { return groupBy_; }
    QCheckBox* AutoFitBox() const { return autoFit_; }
    QListWidget* ItemList() const { return items_; }
    CColorComboBox* ColorList() const { return color_; }
    QPushButton* CustomColorButton() const { return customColor_; }
    QPushButton* LayoutsButton() const { return layouts_; }

private:
    void ShowValues(const LayoutValues& values);
    void FillBytesPerRow(int previous);
    void OnItemChanged();
    void OnCustomColor();

    uint32_t colors_[16] = {};
    uint32_t userColors_[16] = {};
    QComboBox* bytesPerRow_;
    QCheckBox* autoFit_;
    QComboBox* groupBy_;
    QCheckBox* showDash_;
    QComboBox* columns_;
    QCheckBox* sizeBar_;
    QRadioButton* decimal_;
    QRadioButton* hexadecimal_;
    QListWidget* items_;
    CColorComboBox* color_;
    QPushButton* customColor_;
    QPushButton* layouts_;
    IUserInterface& ui_;
};
