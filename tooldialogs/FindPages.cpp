#include "FindPages.h"

#include "types/ValueTypeRegistry.h"
#include "tooldialogs/VantrelHexEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CFindPages::CFindPages(const QString& captionPrefix, const ValueTypeRegistry& types, QWidget* parent)
    : QTabWidget(parent)
{
    addTab(MakeTextPage(), captionPrefix + QStringLiteral(" Text"));
    addTab(MakeValuePage(types), captionPrefix + QStringLiteral(" Value"));
    addTab(MakeDataPage(), captionPrefix + QStringLiteral(" Data"));
    // All three tabs stay visible: the dialog grows to fit them rather than
    // hiding the last one behind scroll arrows.
    setUsesScrollButtons(false);
    // A page chosen with the mouse or Ctrl+Tab is ready for typing.
    connect(this, &QTabWidget::currentChanged, this, [this] {
        if (isVisible())
            FocusInput();
    });
}

QWidget* CFindPages::MakeTextPage()
{
    auto* page = new QWidget;
    auto* layout = new QFormLayout(page);
    text_ = new QLineEdit;
    unicode_ = new QCheckBox(QStringLiteral("&Unicode text"));
    textBigEndian_ = new QCheckBox(QStringLiteral("&Big-endian byte order"));
    layout->addRow(QStringLiteral("&Text:"), text_);
    layout->addRow(unicode_);
    layout->addRow(textBigEndian_);
    // The byte order means something only for UTF-16 text.
    connect(unicode_, &QCheckBox::toggled, textBigEndian_, &QWidget::setEnabled);
    textBigEndian_->setEnabled(false);
    return page;
}

QWidget* CFindPages::MakeValuePage(const ValueTypeRegistry& types)
{
    auto* page = new QWidget;
    auto* layout = new QFormLayout(page);
    value_ = new QLineEdit;
    valueType_ = new QComboBox;
    for (int i = 0; i < types.Count(); ++i)
        valueType_->addItem(types.At(i).Name());
    valueBigEndian_ = new QCheckBox(QStringLiteral("&Big-endian byte order"));
    layout->addRow(QStringLiteral("&Value:"), value_);
    layout->addRow(QStringLiteral("Value &type:"), valueType_);
    layout->addRow(valueBigEndian_);
    return page;
}

QWidget* CFindPages::MakeDataPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    data_ = new VantrelHexEdit;
    data_->SetMaxLength(FIND_DATA_MAX_LENGTH);
    layout->addWidget(data_);
    return page;
}

void CFindPages::Load(const FindPageSettings& s)
{
    text_->setText(s.text);
    unicode_->setChecked(s.unicode);
    textBigEndian_->setChecked(s.textBigEndian);
    textBigEndian_->setEnabled(s.unicode);
    value_->setText(s.value);
    valueType_->setCurrentIndex(s.valueType >= 0 && s.valueType < valueType_->count() ? s.valueType : 0);
    valueBigEndian_->setChecked(s.valueBigEndian);
    data_->SetBytes(s.data);
    data_->SetHexActive(s.hexCol);
    setCurrentIndex(s.type >= FIND_PAGE_TEXT && s.type <= FIND_PAGE_DATA ? s.type : FIND_PAGE_TEXT);
}

FindPageSettings CFindPages::Current() const
{
    FindPageSettings s;
    s.type = currentIndex();
    s.text = text_->text();
    s.unicode = unicode_->isChecked();
    s.textBigEndian = textBigEndian_->isChecked();
    s.value = value_->text();
    s.valueType = valueType_->currentIndex();
    s.valueBigEndian = valueBigEndian_->isChecked();
    s.data = data_->Bytes();
    s.hexCol = data_->HexActive();
    return s;
}

void CFindPages::FocusInput()
{
    switch (currentIndex()) {
    case FIND_PAGE_VALUE:
        value_->setFocus(Qt::OtherFocusReason);
        value_->selectAll();
        break;
    case FIND_PAGE_DATA:
        data_->setFocus(Qt::OtherFocusReason);
        data_->SelectAll();
        break;
    default:
        text_->setFocus(Qt::OtherFocusReason);
        text_->selectAll();
        break;
    }
}

void CFindPages::FocusValue()
{
    setCurrentIndex(FIND_PAGE_VALUE);
    value_->setFocus(Qt::OtherFocusReason);
    value_->selectAll();
}
