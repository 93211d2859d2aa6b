#include "OptionsDisplayPage.h"

#include "app/ColorComboBox.h"
#include "app/DisplayChoices.h"
#include "app/OptionsState.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"
#include "platform/FileReader.h"
#include "platform/MessageBox.h"
#include "furniture/UserInterface.h"
#include "view/ViewColors.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kLayoutFilter = QStringLiteral("Layout Files (*.lay)");

QLabel* Label(const QString& text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

uint32_t RefFromColor(const QColor& color)
{
    return uint32_t(color.red()) | uint32_t(color.green()) << 8 | uint32_t(color.blue()) << 16;
}

// The file's first bytes, one more than a layout holds so a longer file shows.
bool ReadLayoutBytes(const QString& path, QByteArray& bytes)
{
    platform::FileReader reader;
    if (!reader.Open(path)) {
        platform::ReportFileError(reader.Error(), path);
        return false;
    }
    bytes.resize(kLayoutFileSize + 1);
    int64_t total = 0;
    while (total < bytes.size()) {
        const int64_t n = reader.Read(bytes.data() + total, bytes.size() - total);
        if (n < 0) {
            platform::ReportFileError(reader.Error(), path);
            return false;
        }
        if (n == 0)
            break;
        total += n;
    }
    bytes.truncate(total);
    return true;
}

} // namespace

COptionsDisplay::COptionsDisplay(const OptionsState& state, IUserInterface& ui, QWidget* parent)
    : QWidget(parent), ui_(ui)
{
    std::copy(std::begin(state.settings.userColors), std::end(state.settings.userColors), std::begin(userColors_));

    bytesPerRow_ = new QComboBox(this);
    autoFit_ = new QCheckBox(QStringLiteral("&Auto fit to window"), this);
    groupBy_ = new QComboBox(this);
    groupBy_->addItems({QStringLiteral("1 Byte"), QStringLiteral("2 Bytes"), QStringLiteral("4 Bytes"),
                        QStringLiteral("8 Bytes")});
    showDash_ = new QCheckBox(QStringLiteral("&Show dash"), this);
    columns_ = new QComboBox(this);
    columns_->addItems({QStringLiteral("Hex Only"), QStringLiteral("ASCII Only"), QStringLiteral("Hex and ASCII")});
    sizeBar_ = new QCheckBox(QStringLiteral("Sho&w size bar"), this);
    auto* radix = new QGroupBox(QStringLiteral("Offset radix"), this);
    decimal_ = new QRadioButton(QStringLiteral("&Decimal"), radix);
    hexadecimal_ = new QRadioButton(QStringLiteral("&Hexadecimal"), radix);
    auto* radixLayout = new QHBoxLayout(radix);
    radixLayout->addWidget(decimal_);
    radixLayout->addWidget(hexadecimal_);
    items_ = new QListWidget(this);
    items_->addItems(DisplayItemNames());
    color_ = new CColorComboBox(this);
    customColor_ = new QPushButton(QStringLiteral("Custo&m Color..."), this);
    layouts_ = new QPushButton(QStringLiteral("Manage &Layouts..."), this);
    auto* layoutMenu = new QMenu(layouts_);
    layoutMenu->addAction(QStringLiteral("&Load Layout and Colors..."), this, &COptionsDisplay::LoadLayout);
    layoutMenu->addAction(QStringLiteral("&Save Layout and Colors..."), this, &COptionsDisplay::SaveLayout);
    layouts_->setMenu(layoutMenu);

    auto* layoutBox = new QGridLayout;
    layoutBox->addWidget(Label(QStringLiteral("&Bytes per row:"), bytesPerRow_, this), 0, 0);
    layoutBox->addWidget(bytesPerRow_, 0, 1);
    layoutBox->addWidget(autoFit_, 0, 2);
    layoutBox->addWidget(Label(QStringLiteral("&Group by:"), groupBy_, this), 1, 0);
    layoutBox->addWidget(groupBy_, 1, 1);
    layoutBox->addWidget(showDash_, 1, 2);
    layoutBox->addWidget(Label(QStringLiteral("&Columns:"), columns_, this), 2, 0);
    layoutBox->addWidget(columns_, 2, 1);
    layoutBox->addWidget(sizeBar_, 2, 2);
    layoutBox->addWidget(radix, 3, 0, 1, 3);

    auto* colorColumn = new QVBoxLayout;
    colorColumn->addWidget(Label(QStringLiteral("Colo&r:"), color_, this));
    colorColumn->addWidget(color_);
    colorColumn->addWidget(customColor_);
    colorColumn->addStretch(1);
    colorColumn->addWidget(layouts_);
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(items_, 1);
    colorRow->addLayout(colorColumn);

    auto* page = new QVBoxLayout(this);
    page->addLayout(layoutBox);
    page->addWidget(Label(QStringLiteral("Display &items:"), items_, this));
    page->addLayout(colorRow, 1);

    connect(groupBy_, &QComboBox::currentIndexChanged, this, [this] {
        FillBytesPerRow(bytesPerRow_->currentData().toInt());
    });
    connect(autoFit_, &QCheckBox::toggled, bytesPerRow_, [this](bool on) { bytesPerRow_->setEnabled(!on); });
    connect(items_, &QListWidget::currentRowChanged, this, &COptionsDisplay::OnItemChanged);
    connect(color_, &CColorComboBox::colorChosen, this, [this](uint32_t color) {
        if (items_->currentRow() >= 0)
            colors_[items_->currentRow()] = color;
    });
    connect(customColor_, &QPushButton::clicked, this, &COptionsDisplay::OnCustomColor);

    ShowValues(LayoutFromSettings(state.settings));
    items_->setCurrentRow(0);
}

void COptionsDisplay::ShowValues(const LayoutValues& values)
{
    std::copy(std::begin(values.colors), std::end(values.colors), std::begin(colors_));
    {
        const QSignalBlocker block(groupBy_);
        groupBy_->setCurrentIndex(std::clamp(values.groupBy, 0, 3));
    }
    FillBytesPerRow(values.bytesPerRow);
    autoFit_->setChecked(values.sizeToFit);
    bytesPerRow_->setEnabled(!values.sizeToFit);
    showDash_->setChecked(values.showDash);
    columns_->setCurrentIndex(std::clamp(values.columns, 1, 3) - 1);
    sizeBar_->setChecked(values.showSizeBar);
    (values.offsetFormat == 0 ? decimal_ : hexadecimal_)->setChecked(true);
    OnItemChanged();
}

void COptionsDisplay::FillBytesPerRow(int previous)
{
    const QList<int> choices = BytesPerRowChoices(groupBy_->currentIndex());
    bytesPerRow_->clear();
    for (int n : choices)
        bytesPerRow_->addItem(QString::number(n), n);
    bytesPerRow_->setCurrentIndex(KeptBytesPerRowIndex(choices, previous));
}

void COptionsDisplay::OnItemChanged()
{
    const int item = items_->currentRow();
    if (item >= 0)
        color_->ShowColor(item, colors_[item]);
}

void COptionsDisplay::OnCustomColor()
{
    const int item = items_->currentRow();
    if (item < 0)
        return;
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, ColorFromRef(userColors_[i]));
    QColorDialog dialog(ResolveStoredColor(colors_[item], palette()), this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (ui_.RunDialog(dialog) != QDialog::Accepted)
        return;
    for (int i = 0; i < 16; ++i)
        userColors_[i] = RefFromColor(QColorDialog::customColor(i));
    colors_[item] = RefFromColor(dialog.selectedColor());
    color_->ShowColor(item, colors_[item]);
}

LayoutValues COptionsDisplay::Values() const
{
    LayoutValues values;
    values.bytesPerRow = bytesPerRow_->currentData().toInt();
    values.sizeToFit = autoFit_->isChecked();
    values.groupBy = groupBy_->currentIndex();
    values.showDash = showDash_->isChecked();
    values.columns = columns_->currentIndex() + 1;
    values.showSizeBar = sizeBar_->isChecked();
    values.offsetFormat = decimal_->isChecked() ? 0 : 1;
    std::copy(std::begin(colors_), std::end(colors_), std::begin(values.colors));
    return values;
}

void COptionsDisplay::Commit(OptionsState& state) const
{
    ApplyLayoutToSettings(Values(), state.settings);
    std::copy(std::begin(userColors_), std::end(userColors_), std::begin(state.settings.userColors));
}

void COptionsDisplay::LoadLayout()
{
    FileRequest request;
    request.title = QStringLiteral("Load Layout");
    request.nameFilters = {kLayoutFilter};
    const std::optional<QString> path = ui_.ChooseFilePath(this, request);
    if (!path)
        return;
    QByteArray bytes;
    if (!ReadLayoutBytes(*path, bytes))
        return;
    LayoutValues values;
    const LayoutFileError error = DecodeLayoutFile(bytes, &values);
    if (error != LayoutFileError::None) {
        platform::ShowMessage(LayoutFileMessage(error), platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return;
    }
    ShowValues(values);
}

void COptionsDisplay::SaveLayout()
{
    const QByteArray bytes = EncodeLayoutFile(Values());
    FileRequest request;
    request.kind = FileChoice::Save;
    request.title = QStringLiteral("Save Layout");
    request.nameFilters = {kLayoutFilter};
    request.defaultSuffix = QStringLiteral("lay");
    const std::optional<QString> path = ui_.ChooseFilePath(this, request);
    if (!path)
        return;
    platform::AtomicFileWriter writer;
    if (!writer.Open(*path) || !writer.Write(bytes.constData(), bytes.size()) || !writer.Commit())
        platform::ReportFileError(writer.Error(), *path);
}
