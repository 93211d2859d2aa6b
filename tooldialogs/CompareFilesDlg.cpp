#include "CompareFilesDlg.h"

#include "platform/MessageBox.h"
#include "tooldialogs/IntEdit.h"
#include "furniture/UserInterface.h"
#include "tools/CompareReport.h"
#include "tools/FileCompare.h"
#include "types/IntegerText.h"
#include "tools/ShortPathName.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString MinMatchRangeText()
{
    return platform::IntegerRangeText(1, MIN_MATCH_LEN_MAX);
}

CCompareFilesDlg::CCompareFilesDlg(const QStringList& openDocuments, int minMatchLen, bool sideBySide,
                                   const QStringList& browseFilters, IUserInterface& ui, QWidget* parent)
    : QDialog(parent), minMatchLen_(minMatchLen), browseFilters_(browseFilters), ui_(ui)
{
    setWindowTitle(QStringLiteral("Compare Files"));
    list1_ = new QComboBox;
    list2_ = new QComboBox;
    browse1_ = new QPushButton(QStringLiteral("&Browse..."));
    browse2_ = new QPushButton(QStringLiteral("Bro&wse..."));
    minMatch_ = new CIntEdit(1, MIN_MATCH_LEN_MAX);
    minMatch_->SetRadix(10);
    minMatch_->SetValue(minMatchLen);
    minMatch_->setMinimumWidth(minMatch_->fontMetrics().horizontalAdvance(QStringLiteral("0x40000")) * 2);
    sideBySide_ = new QCheckBox(QStringLiteral("&Arrange windows side-by-side"));
    sideBySide_->setChecked(sideBySide);
    for (QComboBox* list : {list1_, list2_})
        list->setMinimumContentsLength(40);

    auto* grid = new QGridLayout;
    const std::array<std::tuple<const char*, QComboBox*, QPushButton*>, 2> rows = {
        std::tuple{"File &1:", list1_, browse1_}, std::tuple{"File &2:", list2_, browse2_}};
    int row = 0;
    for (const auto& [text, list, browse] : rows) {
        auto* label = new QLabel(QString::fromLatin1(text));
        label->setBuddy(list);
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        grid->addWidget(browse, row, 2);
        ++row;
    }
    auto* minLabel = new QLabel(QStringLiteral("&Minimum match length:"));
    minLabel->setBuddy(minMatch_);
    grid->addWidget(minLabel, row, 0);
    grid->addWidget(minMatch_, row, 1, Qt::AlignLeft);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCompareFilesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCompareFilesDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sideBySide_);
    layout->addWidget(buttons);

    for (const QString& path : openDocuments)
        AddFile(0, path);
    list1_->setCurrentIndex(list1_->count() > 0 ? 0 : -1);
    list2_->setCurrentIndex(list2_->count() > 1 ? 1 : -1);
    connect(browse1_, &QPushButton::clicked, this, [this] { Browse(1); });
    connect(browse2_, &QPushButton::clicked, this, [this] { Browse(2); });
    for (QComboBox* list : {list1_, list2_})
        connect(list, &QComboBox::currentIndexChanged, this, &CCompareFilesDlg::UpdateOk);
    UpdateOk();
}

QString CCompareFilesDlg::File(int number) const { return List(number)->currentData().toString(); }

bool CCompareFilesDlg::SideBySide() const { return sideBySide_->isChecked(); }

void CCompareFilesDlg::AddFile(int number, const QString& path)
{
    int index = -1;
    for (int i = 0; i < list1_->count() && index < 0; ++i)
        if (list1_->itemData(i).toString().compare(path, Qt::CaseInsensitive) == 0)
            index = i;
    if (index < 0) {
        const QString shown = ShortPathName(path, QDir::currentPath());
        for (QComboBox* list : {list1_, list2_}) {
            list->addItem(shown, path);
            list->setItemData(list->count() - 1, path, Qt::ToolTipRole);
        }
        index = list1_->count() - 1;
    }
    if (number == 1 || number == 2)
        List(number)->setCurrentIndex(index);
}

void CCompareFilesDlg::Browse(int number)
{
    FileRequest request;
    request.title = QStringLiteral("Open");
    request.nameFilters = browseFilters_;
    const std::optional<QString> path = ui_.ChooseFilePath(this, request);
    if (path)
        AddFile(number, QDir::cleanPath(QDir(QDir::currentPath()).absoluteFilePath(*path)));
}

void CCompareFilesDlg::UpdateOk()
{
    const int a = list1_->currentIndex();
    const int b = list2_->currentIndex();
    ok_->setEnabled(a >= 0 && b >= 0 && a != b);
}

void CCompareFilesDlg::accept()
{
    if (File(1).isEmpty() || File(1).compare(File(2), Qt::CaseInsensitive) == 0) {
        platform::ShowMessage(CompareSameFileText());
        return;
    }
    const ParsedInteger value = ParseInteger(minMatch_->Text());
    const int64_t number = int64_t(value.value);
    if (!value.Ok() || number < 1 || number > MIN_MATCH_LEN_MAX) {
        platform::ShowMessage(MinMatchRangeText());
        minMatch_->setFocus(Qt::OtherFocusReason);
        minMatch_->SelectAllText();
        return;
    }
    minMatchLen_ = int(number);
    QDialog::accept();
}
