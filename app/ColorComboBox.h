#pragma once
// The colour list of the Display options: "Automatic" (the item's theme
// colour), the sixteen named colours, and "Custom" only while the colour is
// none of them. Each entry shows a swatch of its colour.
#include <QComboBox>
#include <cstdint>

class CColorComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CColorComboBox(QWidget* parent = nullptr);

    // Fills the list for a display item and selects its colour.
    void ShowColor(int item, uint32_t color);
    uint32_t Color() const { return color_; }

signals:
    // The user picked an entry; color is its value.
    void colorChosen(uint32_t color);

private:
    void OnActivated(int index);

    int item_ = 0;
    uint32_t color_ = 0;
};
