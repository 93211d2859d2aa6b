#include "ItemRunDlg.h"

#include "types/ValueTypeRegistry.h"
#include "types/StdValueType.h"
#include "tooldialogs/IntEdit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

QStringList ItemTypeLabels(const ValueTypeRegistry& types, bool standardOnly)
{
    QStringList labels;
    const int count = standardOnly ? std::min(STD_VALUE_TYPE_COUNT, types.Count()) : types.Count();
    for (int i = 0; i < count; ++i)
        labels.append(ItemTypeLabel(types.At(i).Name(), types.At(i).Size()));
    return labels;
}

CItemRunDlg::CItemRunDlg(ItemVerb verb, IToolView& view, int64_t start, const SelectionState& userSelection,
                         bool hexOffsets, const ValueTypeRegistry& types, QWidget* parent)
    : QDialog(parent), verb_(verb), view_(view), start_(start), userSelection_(userSelection), hexOffsets_(hexOffsets),
      types_(types)
{
}

void CItemRunDlg::AddCountAndType(QFormLayout* layout, const QString& countLabel, const QString& countText,
                                  int countRadix, const QStringList& typeLabels, int typeIndex)
{
    count_ = new CIntEdit(MIN_ITEM_COUNT, MAX_ITEM_COUNT);
    count_->SetRadix(countRadix);
    count_->SetText(countText);
    type_ = new QComboBox;
    type_->addItems(typeLabels);
    type_->setCurrentIndex(typeIndex >= 0 && typeIndex < type_->count() ? typeIndex : 0);
    layout->addRow(countLabel, count_);
    layout->addRow(QStringLiteral("&Item type:"), type_);
    connect(count_, &CIntEdit::textEdited, this, &CItemRunDlg::UpdatePreview);
    connect(type_, &QComboBox::currentIndexChanged, this, &CItemRunDlg::UpdatePreview);
}

void CItemRunDlg::Finish(QLayout* body)
{
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("StatusLine"));
    status_->setFrameShape(QFrame::StyledPanel);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CItemRunDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CItemRunDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    UpdatePreview();
}

void CItemRunDlg::UpdatePreview()
{
    if (!count_ || !status_)
        return;
    const ItemRunPreview preview =
        PreviewItemRun(verb_, count_->Text(), ItemSize(), start_, view_.FileSize(), hexOffsets_);
    status_->setText(preview.text);
    view_.Select(preview.selStart, preview.selEnd);
}

void CItemRunDlg::FocusCount()
{
    count_->setFocus(Qt::OtherFocusReason);
    count_->SelectAllText();
}

void CItemRunDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FocusCount();
}

void CItemRunDlg::reject()
{
    view_.Select(userSelection_.Anchor(), userSelection_.caret);
    QDialog::reject();
}
