#include "DataViewDlg.h"

#include "core/BinEditDoc.h"
#include "inspect/DataViewValues.h"
#include "types/ValueTypeRegistry.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/MessageBox.h"
#include "settings/AppSettings.h"
#include "tools/RegistryValue.h"
#include "view/BinEditView.h"
#include "view/ViewClipboard.h"
#include "view/InspectedRange.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QVBoxLayout>

#include <algorithm>

CDataViewDlg::CDataViewDlg(ValueTypeRegistry& types, CInspectedRange& highlight, QWidget* parent)
    : QWidget(parent), types_(types), highlight_(highlight)
{
    setObjectName(QStringLiteral("DataViewPage"));
    list_ = new CTreeList(this);
    list_->List()->setObjectName(QStringLiteral("DataViewList"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(list_);
    setFocusProxy(list_);

    list_->SetEditHandlers([this](const QModelIndex& row) { return EditText(row); },
                           [this](const QModelIndex& row, const QString& text) { CommitEdit(row, text); });
    connect(list_, &CTreeList::currentRowChanged, this, [this] { UpdateHighlight(); });
    connect(list_, &CTreeList::dividerMoved, this, [this] { automaticDivider_ = false; });
    connect(list_, &CTreeList::listFocusChanged, this, [this](bool focused) {
        listFocused_ = focused;
        UpdateHighlight();
    });

    menu_ = new QMenu(this);
    connect(menu_->addAction(QStringLiteral("&Hide Data Inspector Window")), &QAction::triggered, this,
            &CDataViewDlg::hideRequested);
    connect(menu_->addAction(QStringLiteral("&Data Types...")), &QAction::triggered, this,
            &CDataViewDlg::dataTypesRequested);
    menu_->addSeparator();
    hexAction_ = menu_->addAction(QStringLiteral("He&xadecimal"));
    bigEndianAction_ = menu_->addAction(QStringLiteral("&Big Endian (Non-Intel)"));
    hexAction_->setCheckable(true);
    bigEndianAction_->setCheckable(true);
    connect(hexAction_, &QAction::triggered, this, [this] { ToggleFlag(hexadecimal_); });
    connect(bigEndianAction_, &QAction::triggered, this, [this] { ToggleFlag(bigEndian_); });
    menu_->addSeparator();
    connect(menu_->addAction(QStringLiteral("&Copy Values")), &QAction::triggered, this, [this] {
        if (const QString text = ValuesText(); !text.isEmpty())
            platform::SetClipboardText(platform::ToCodePage(text));
    });
}

CDataViewDlg::~CDataViewDlg()
{
    // The list is destroyed after this object and reports losing the focus
    // on its way out; by then there is no page left to tell.
    list_->disconnect(this);
    if (ownsHighlight_)
        highlight_.Clear();
}

void CDataViewDlg::LoadSettings(const AppSettings& settings)
{
    hexadecimal_ = settings.dataHexadecimal;
    bigEndian_ = settings.dataBigEndian;
    automaticDivider_ = settings.dataSplitterPos == AppSettings().dataSplitterPos;
    if (automaticDivider_)
        FitDividerToNames();
    else
        list_->SetDividerPos(settings.dataSplitterPos);
}

void CDataViewDlg::SaveSettings(AppSettings& settings) const
{
    settings.dataHexadecimal = hexadecimal_;
    settings.dataBigEndian = bigEndian_;
    const bool fitted = automaticDivider_ && list_->DividerPos() == list_->LongestLeafNameEnd();
    settings.dataSplitterPos = fitted ? AppSettings().dataSplitterPos : list_->DividerPos();
}

void CDataViewDlg::FitDividerToNames()
{
    if (built_)
        list_->SetDividerPos(list_->LongestLeafNameEnd());
}

// ---------------------------------------------------------------- rows

void CDataViewDlg::Refresh(CBinEditView* view, bool rebuild)
{
    if (rebuild || !built_)
        Rebuild();
    view_ = view;
    FillValues();
    if (listFocused_)
        UpdateHighlight();
}

void CDataViewDlg::Rebuild()
{
    if (loadTypes_)
        loadTypes_();
    const int selectedType = TypeOfRow(list_->CurrentRow());
    rows_.clear();
    list_->Model().Clear();
    AddGroup(QStringLiteral("Standard Data Types"),
             QStringLiteral("Displays the data at the current position as standard data types (data types "
                            "implemented within Vantrel.exe)"),
             false);
    AddGroup(QStringLiteral("Custom Data Types"),
             QStringLiteral("Displays the data at the current position as custom data types (data types "
                            "implemented as Vantrel extensions)"),
             true);
    list_->ExpandAll();
    bytes_.assign(size_t(types_.MaxValueSize()), 0);
    built_ = true;
    // Types of modules loaded since may have longer names.
    if (automaticDivider_)
        FitDividerToNames();
    if (const QModelIndex row = RowOfType(selectedType); row.isValid())
        list_->SetCurrentRow(row);
}

void CDataViewDlg::AddGroup(const QString& name, const QString& description, bool custom)
{
    TreeListRow group;
    group.name = name;
    group.description = description;
    group.group = true;
    const QModelIndex parent = list_->Model().AddRow({}, group);
    for (int type : VisibleTypes(types_, custom)) {
        TreeListRow row;
        row.name = types_.At(type).Name();
        row.description = ValueRowDescription(types_.At(type));
        row.tag = type;
        rows_.push_back({list_->Model().AddRow(parent, row), type});
    }
}

void CDataViewDlg::FillValues()
{
    int available = 0;
    DataViewFlags flags{hexadecimal_, bigEndian_, true};
    if (view_) {
        // A copy of the caret reads without moving it or registering with the buffer.
        const CBufferPos at(view_->Caret());
        caret_ = at.Offset();
        available = int(at.Read(bytes_.data(), int32_t(bytes_.size())));
        flags.readOnly = view_->Document()->IsReadOnly();
    }
    for (const ValueRow& row : rows_) {
        if (!view_) {
            list_->Model().SetValue(row.index, QString(), false);
            continue;
        }
        const ValueCell cell = FormatValueCell(types_.At(row.type), bytes_.data(), available, flags);
        list_->Model().SetValue(row.index, cell.text, cell.editable);
    }
}

QModelIndex CDataViewDlg::RowOfType(int typeIndex) const
{
    const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const ValueRow& r) { return r.type == typeIndex; });
    return found == rows_.end() ? QModelIndex() : found->index;
}

int CDataViewDlg::TypeOfRow(const QModelIndex& row) const
{
    return row.isValid() ? list_->Model().Row(row).tag : -1;
}

// ---------------------------------------------------------------- highlight

void CDataViewDlg::UpdateHighlight()
{
    const int type = TypeOfRow(list_->CurrentRow());
    // Other pages highlight through the same range; only this page's own
    // highlight is removed here.
    if (!isVisible() || !listFocused_ || type < 0 || !view_) {
        if (ownsHighlight_)
            highlight_.Clear();
        ownsHighlight_ = false;
        return;
    }
    highlight_.Set(view_, caret_, caret_ + types_.At(type).Size());
    ownsHighlight_ = true;
}

// ---------------------------------------------------------------- editing

QString CDataViewDlg::EditText(const QModelIndex& row) const
{
    return EditTextFor(TypeOfRow(row), list_->Model().Row(row).value);
}

void CDataViewDlg::CommitEdit(const QModelIndex& row, const QString& text)
{
    const int type = TypeOfRow(row);
    if (type < 0 || !view_ || !list_->Model().Row(row).editable)
        return;
    QByteArray bytes;
    if (!ParseEditedValue(types_, type, text, bigEndian_, bytes)) {
        platform::ShowMessage(ConversionFailedText(text, types_.At(type).Name()));
        return;
    }
    view_->Clipboard().OverwriteRange(caret_, bytes.constData(), int32_t(bytes.size()));
    FillValues();
}

// ---------------------------------------------------------------- menu

QString CDataViewDlg::ValuesText() const
{
    QString text;
    for (const ValueRow& row : rows_) {
        const TreeListRow& cells = list_->Model().Row(row.index);
        text += cells.name + u'\t' + cells.value + u'\n';
    }
    return text;
}

void CDataViewDlg::ToggleFlag(bool& flag)
{
    flag = !flag;
    emit refreshRequested();
}

void CDataViewDlg::contextMenuEvent(QContextMenuEvent* event)
{
    hexAction_->setChecked(hexadecimal_);
    bigEndianAction_->setChecked(bigEndian_);
    // From the keyboard the menu opens near the page's corner, not where the
    // mouse happens to be.
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5)) : event->globalPos();
    menu_->popup(at);
    event->accept();
}
