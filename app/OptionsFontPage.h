#pragma once
// The "Font" options: the display font's face and size, with a sample. The
// result is the 92-byte font record whose height follows the size and the
// screen's pixels per inch.
#include "platform/FontRecord.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QListWidget;
struct OptionsState;

class COptionsFont : public QWidget {
    Q_OBJECT
public:
    COptionsFont(const OptionsState& state, QWidget* parent = nullptr);

    void Commit(OptionsState& state) const;
    platform::FontRecord Record() const;

    QListWidget* FaceList() const { return faces_; }
    QComboBox* SizeList() const { return sizes_; }
    QLabel* Sample() const { return sample_; }

private:
    int PixelsPerInch() const;
    void OnSizeEdited();
    void UpdateSample();

    platform::FontRecord record_;
    int twips_ = 200;
    QListWidget* faces_;
    QComboBox* sizes_;
    QLabel* sample_;
};
