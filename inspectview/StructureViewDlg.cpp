#include "StructureViewDlg.h"

#include "CaretStructureBytes.h"

#include "core/BinEditDoc.h"
#include "inspect/DataViewValues.h"
#include "inspect/StructureCollection.h"
#include "inspect/StructureLayout.h"
#include "types/ValueTypeRegistry.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/MessageBox.h"
#include "settings/AppSettings.h"
#include "tools/RegistryValue.h"
#include "types/StdValueType.h"
#include "view/BinEditView.h"
#include "view/ViewClipboard.h"
#include "view/InspectedRange.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace {

QString SizeText(int64_t size) { return QStringLiteral("%1 byte%2").arg(size).arg(size == 1 ? "" : "s"); }

QString TooDeepText()
{
    return QStringLiteral("Structures nested more than %1 levels deep are not shown")
        .arg(CStructureViewDlg::kMaxShownNesting);
}

QString RadixText(int64_t value, bool hexadecimal)
{
    return hexadecimal ? QStringLiteral("0x") + QString::number(value, 16).toUpper() : QString::number(value);
}

} // namespace

CStructureViewDlg::CStructureViewDlg(const StructureCollection& structures, ValueTypeRegistry& types,
                                     CInspectedRange& highlight, QWidget* parent)
    : QWidget(parent), structures_(structures), types_(types), highlight_(highlight)
{
    setObjectName(QStringLiteral("StructureViewPage"));
    chooser_ = new QComboBox(this);
    chooser_->setObjectName(QStringLiteral("StructureChooser"));
    list_ = new CTreeList(this);
    list_->List()->setObjectName(QStringLiteral("StructureViewList"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(chooser_);
    layout->addWidget(list_, 1);
    setFocusProxy(list_);

    connect(chooser_, &QComboBox::currentIndexChanged, this, [this] {
        if (chooser_->signalsBlocked())
            return;
        current_ = chooser_->currentText();
        BuildRows();
        emit refreshRequested(false);
    });
    list_->Model().SetFetchHandler(
        [this](const QModelIndex& parent, int first, int count) { Fetch(parent, first, count); });
    list_->SetEditHandlers([this](const QModelIndex& row) { return EditText(row); },
                           [this](const QModelIndex& row, const QString& text) { CommitEdit(row, text); });
    connect(list_, &CTreeList::currentRowChanged, this, [this] {
        UpdateDescription();
        UpdateHighlight();
    });
    connect(list_, &CTreeList::listFocusChanged, this, [this](bool focused) {
        listFocused_ = focused;
        UpdateHighlight();
    });

    menu_ = new QMenu(QStringLiteral("Structure View"), this);
    menu_->setTitle(QStringLiteral("Structure View"));
    connect(menu_->addAction(QStringLiteral("&Hide Data Inspector Window")), &QAction::triggered, this,
            &CStructureViewDlg::hideRequested);
    connect(menu_->addAction(QStringLiteral("&Structures...")), &QAction::triggered, this,
            &CStructureViewDlg::structuresRequested);
    menu_->addSeparator();
    expandAction_ = menu_->addAction(QStringLiteral("&Automatically Expand Arrays"));
    hexAction_ = menu_->addAction(QStringLiteral("He&xadecimal"));
    bigEndianAction_ = menu_->addAction(QStringLiteral("&Big Endian (Non-Intel)"));
    for (QAction* toggle : {expandAction_, hexAction_, bigEndianAction_})
        toggle->setCheckable(true);
    connect(expandAction_, &QAction::triggered, this, [this] { ToggleFlag(expandArrays_, true); });
    connect(hexAction_, &QAction::triggered, this, [this] { ToggleFlag(hexadecimal_, false); });
    connect(bigEndianAction_, &QAction::triggered, this, [this] { ToggleFlag(bigEndian_, false); });
    menu_->addSeparator();
    connect(menu_->addAction(QStringLiteral("&Copy Structure")), &QAction::triggered, this,
            &CStructureViewDlg::CopyStructure);
}

CStructureViewDlg::~CStructureViewDlg()
{
    // The list goes after this object and reports losing the focus on its
    // way out; by then there is no page left to tell.
    list_->disconnect(this);
    list_->Model().SetFetchHandler({});
    if (ownsHighlight_)
        highlight_.Clear();
}

void CStructureViewDlg::LoadSettings(const AppSettings& settings)
{
    current_ = settings.structCurrent;
    hexadecimal_ = settings.structHexadecimal;
    bigEndian_ = settings.structBigEndian;
    expandArrays_ = settings.structExpandArrays;
    list_->SetDividerPos(settings.structSplitterPos);
}

void CStructureViewDlg::SaveSettings(AppSettings& settings) const
{
    settings.structCurrent = current_;
    settings.structHexadecimal = hexadecimal_;
    settings.structBigEndian = bigEndian_;
    settings.structExpandArrays = expandArrays_;
    settings.structSplitterPos = list_->DividerPos();
}

// ---------------------------------------------------------------- rows

void CStructureViewDlg::Refresh(CBinEditView* view, bool rebuild)
{
    view_ = view;
    if (rebuild || !built_ || !view_)
        Rebuild();
    if (view_)
        FillValues();
    UpdateDescription();
    if (listFocused_)
        UpdateHighlight();
}

void CStructureViewDlg::Rebuild()
{
    FillChooser();
    BuildRows();
    built_ = true;
}

void CStructureViewDlg::FillChooser()
{
    std::vector<int> order(size_t(structures_.Count()));
    for (int i = 0; i < structures_.Count(); ++i)
        order[size_t(i)] = i;
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
        const QString& left = structures_.At(a).name;
        const QString& right = structures_.At(b).name;
        const int folded = left.compare(right, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : left < right;
    });
    const QSignalBlocker quiet(chooser_);
    chooser_->clear();
    for (int index : order)
        chooser_->addItem(structures_.At(index).name, index);
    // A structure that no longer exists gives way to the first one.
    const int found = chooser_->findText(current_, Qt::MatchExactly | Qt::MatchCaseSensitive);
    chooser_->setCurrentIndex(found >= 0 ? found : 0);
    if (chooser_->count() > 0)
        current_ = chooser_->currentText();
}

void CStructureViewDlg::BuildRows()
{
    const QScopedValueRollback guard(selfFetching_, true);
    rows_.clear();
    freeTags_.clear();
    toExpand_.clear();
    toOpen_.clear();
    rowsLeft_ = kRowsPerPass;
    list_->Model().Clear();
    const int structure = chooser_->currentIndex() >= 0 ? chooser_->currentData().toInt() : -1;
    if (structure < 0 || structure >= structures_.Count())
        return;
    RowInfo root;
    root.kind = RowKind::Root;
    root.owner = structure;
    AddRow({}, root);
    OpenQueued();
    ApplyExpansion();
}

int CStructureViewDlg::AddRow(const QModelIndex& parent, RowInfo info)
{
    TreeListRow row;
    row.name = RowName(info);
    row.value = InitialValue(info);
    row.group = info.kind == RowKind::Root;
    int tag;
    if (!freeTags_.empty()) {
        tag = freeTags_.back();
        freeTags_.pop_back();
    } else {
        tag = int(rows_.size());
        rows_.emplace_back();
    }
    row.tag = tag;
    const QModelIndex index = list_->Model().AddRow(parent, row);
    info.index = index;
    rows_[size_t(tag)] = info;
    list_->Model().SetAnnouncedChildren(index, AnnouncedChildren(info));
    --rowsLeft_;
    // Structures show their members at once; arrays their elements only
    // when asked to. Structure elements wait until the user opens them: an
    // array of them may hold tens of thousands.
    const bool open = (StructureOf(info) >= 0 && info.kind != RowKind::Element) || (IsArrayRow(info) && expandArrays_);
    if (open)
        toOpen_.emplace_back(index);
    return tag;
}

void CStructureViewDlg::OpenQueued()
{
    // Rows are opened level by level from a queue rather than from within
    // the row that holds them, so nesting costs no stack. A structure may
    // hold the next one twice, and that one the next twice again: the rows
    // double with every level, so a pass opens rows only while its budget
    // lasts. The rest stay closed, announcing their children, and are made
    // when the user opens them.
    const QScopedValueRollback guard(selfFetching_, true);
    for (size_t next = 0; next < toOpen_.size() && rowsLeft_ > 0; ++next) {
        // A copy: opening a row adds to the queue.
        const QPersistentModelIndex row = toOpen_[next];
        if (const int tag = TagOf(row); tag >= 0) {
            Populate(tag);
            toExpand_.push_back(row);
        }
    }
    toOpen_.clear();
}

void CStructureViewDlg::Populate(int tag)
{
    rows_[size_t(tag)].populated = true;
    const QModelIndex index = rows_[size_t(tag)].index;
    list_->Model().fetchMore(index);
}

void CStructureViewDlg::Fetch(const QModelIndex& parentIndex, int first, int count)
{
    // Adding rows may move rows_, where the caller's index may live.
    const QModelIndex parent = parentIndex;
    const int tag = TagOf(parent);
    if (tag < 0)
        return;
    // The list asking for rows (a row opened, a scroll to the end of an
    // array) starts a pass of its own.
    const bool askedByList = !selfFetching_;
    if (askedByList)
        rowsLeft_ = kRowsPerPass;
    rows_[size_t(tag)].populated = true;
    const RowInfo info = rows_[size_t(tag)];
    const int structure = StructureOf(info);
    if (structure >= 0 && info.depth >= kMaxShownNesting) {
        // Deeper levels would only widen the indentation past any window.
        RowInfo note;
        note.kind = RowKind::Note;
        note.depth = info.depth + 1;
        if (first == 0)
            AddRow(parent, note);
        return;
    }
    for (int i = first; i < first + count; ++i) {
        RowInfo child;
        if (IsArrayRow(info)) {
            child.kind = RowKind::Element;
            child.owner = info.owner;
            child.member = info.member;
            child.element = i;
            child.depth = info.depth;
        } else if (structure >= 0) {
            child.kind = RowKind::Member;
            child.owner = structure;
            child.member = i;
            child.depth = info.depth + 1;
        } else {
            return;
        }
        AddRow(parent, child);
    }
    // Rows the list fetched by itself (an element opened, a scroll to the
    // end of an array) need their values and their own rows opened.
    if (askedByList) {
        OpenQueued();
        ScheduleExpansion();
    }
}

void CStructureViewDlg::ScheduleExpansion()
{
    if (expansionScheduled_)
        return;
    expansionScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            expansionScheduled_ = false;
            ApplyExpansion();
            if (view_)
                FillValues();
        },
        Qt::QueuedConnection);
}

void CStructureViewDlg::ApplyExpansion()
{
    const auto pending = std::move(toExpand_);
    toExpand_.clear();
    for (const QPersistentModelIndex& index : pending)
        if (index.isValid())
            list_->List()->expand(index);
}

void CStructureViewDlg::RemoveChildrenFrom(int tag, int position)
{
    const QModelIndex parent = rows_[size_t(tag)].index;
    const int count = list_->Model().rowCount(parent);
    for (int i = position; i < count; ++i)
        ReleaseTags(list_->Model().index(i, 0, parent));
    list_->Model().RemoveRowsFrom(parent, position);
}

void CStructureViewDlg::ReleaseTags(const QModelIndex& row)
{
    const int count = list_->Model().rowCount(row);
    for (int i = 0; i < count; ++i)
        ReleaseTags(list_->Model().index(i, 0, row));
    if (const int tag = TagOf(row); tag >= 0)
        freeTags_.push_back(tag);
}

// ---------------------------------------------------------------- what rows are

const StructureDef* CStructureViewDlg::OwnerOf(const RowInfo& info) const
{
    return info.owner >= 0 && info.owner < structures_.Count() ? &structures_.At(info.owner) : nullptr;
}

const StructureMember* CStructureViewDlg::MemberOf(const RowInfo& info) const
{
    const StructureDef* owner = OwnerOf(info);
    if (!owner || info.kind == RowKind::Root || info.member < 0 || size_t(info.member) >= owner->members.size())
        return nullptr;
    return &owner->members[size_t(info.member)];
}

int CStructureViewDlg::StructureOf(const RowInfo& info) const
{
    if (info.kind == RowKind::Root)
        return OwnerOf(info) ? info.owner : -1;
    const StructureMember* m = MemberOf(info);
    if (!m || !m->IsStructure() || (info.kind == RowKind::Member && m->isArray) || !structures_.Referenced(m->type))
        return -1;
    return StructureIndexOf(m->type);
}

bool CStructureViewDlg::IsArrayRow(const RowInfo& info) const
{
    const StructureMember* m = MemberOf(info);
    return info.kind == RowKind::Member && m && m->isArray;
}

bool CStructureViewDlg::IsStringRow(const RowInfo& info) const
{
    return IsArrayRow(info) && StructureLayout::IsCharacterType(MemberOf(info)->type);
}

int CStructureViewDlg::ValueTypeOf(const RowInfo& info) const
{
    const StructureMember* m = MemberOf(info);
    if (!m || m->IsStructure() || m->type >= types_.Count() || (info.kind == RowKind::Member && m->isArray))
        return -1;
    return m->type;
}

int CStructureViewDlg::TagOf(const QModelIndex& row) const
{
    if (!row.isValid())
        return -1;
    const int tag = list_->Model().Row(row).tag;
    return tag >= 0 && size_t(tag) < rows_.size() ? tag : -1;
}

QString CStructureViewDlg::RowName(const RowInfo& info) const
{
    if (info.kind == RowKind::Root)
        return OwnerOf(info)->name;
    if (info.kind == RowKind::Note)
        return QStringLiteral("...");
    const StructureMember* m = MemberOf(info);
    if (!m)
        return {};
    if (info.kind == RowKind::Element)
        return QStringLiteral("%1[%2]").arg(m->name).arg(info.element);
    if (!m->isArray)
        return m->name;
    if (!m->isVariable)
        return QStringLiteral("%1[%2]").arg(m->name).arg(m->fixedLength);
    const auto& members = OwnerOf(info)->members;
    const bool linked = m->lengthMember >= 0 && size_t(m->lengthMember) < members.size();
    return QStringLiteral("%1[%2]").arg(m->name, linked ? members[size_t(m->lengthMember)].name : QStringLiteral("?"));
}

QString CStructureViewDlg::InitialValue(const RowInfo& info) const
{
    if (info.kind == RowKind::Note)
        return TooDeepText();
    const StructureMember* m = MemberOf(info);
    if (!m)
        return {};
    const StructureDef* nested = structures_.Referenced(m->type);
    const bool arrayRow = info.kind == RowKind::Member && m->isArray;
    if (arrayRow && !StructureLayout::IsCharacterType(m->type)) {
        const QString element = nested ? nested->name : m->type < types_.Count() ? types_.At(m->type).Name() : QString();
        return element + QStringLiteral("[]");
    }
    if (nested && (info.kind == RowKind::Element || !m->isArray))
        return nested->name;
    return {};
}

int CStructureViewDlg::AnnouncedChildren(const RowInfo& info) const
{
    if (const int structure = StructureOf(info); structure >= 0)
        return info.depth < kMaxShownNesting ? int(structures_.At(structure).members.size()) : 1;
    if (!IsArrayRow(info))
        return 0;
    const StructureMember& m = *MemberOf(info);
    // A variable array starts with one element; the layout sets the count.
    return m.isVariable ? 1 : std::clamp(m.fixedLength, 0, StructureMember::kMaxFixedLength);
}

// ---------------------------------------------------------------- values

void CStructureViewDlg::FillValues()
{
    // Rows made for a collection that has changed since wait for the rebuild
    // that change asks for.
    if (!view_ || rows_.empty() || rows_[0].kind != RowKind::Root || !OwnerOf(rows_[0]))
        return;
    const QScopedValueRollback guard(selfFetching_, true);
    const CBufferPos caret(view_->Caret());
    base_ = caret.Offset();
    readOnly_ = view_->Document()->IsReadOnly();
    const CaretStructureBytes bytes(caret, view_->Document()->Size());
    StructureLayout layout(structures_, types_, bytes, bigEndian_, hexadecimal_ ? 16 : 10);
    rowsLeft_ = kRowsPerPass;
    FillStructure(0, rows_[0].owner, 0, layout);
    OpenQueued();
    ApplyExpansion();
}

void CStructureViewDlg::FillStructure(int tag, int structure, int64_t offset, StructureLayout& layout)
{
    if (structure < 0 || structure >= structures_.Count())
        return;
    const StructureDef& def = structures_.At(structure);
    std::vector<MemberPlace> places;
    const MemberPlace place = layout.PlaceStructure(def, offset, &places);
    rows_[size_t(tag)].start = place.start;
    rows_[size_t(tag)].end = place.end;
    const QModelIndex index = rows_[size_t(tag)].index;
    const int children = list_->Model().rowCount(index);
    for (int i = 0; i < children; ++i) {
        const int child = TagOf(list_->Model().index(i, 0, index));
        if (child >= 0 && size_t(rows_[size_t(child)].member) < places.size())
            FillMember(child, def, places[size_t(rows_[size_t(child)].member)], layout);
    }
}

void CStructureViewDlg::FillMember(int tag, const StructureDef& owner, const MemberPlace& place, StructureLayout& layout)
{
    const StructureMember& m = owner.members[size_t(rows_[size_t(tag)].member)];
    if (!m.isArray) {
        // A scalar member fills like one element of an array of its type.
        FillElement(tag, owner, place, layout);
        return;
    }
    RowInfo& info = rows_[size_t(tag)];
    info.start = place.start;
    info.end = place.end;
    info.count = place.count;
    info.textStart = place.start + layout.ComputePadding(owner, place.start, m);
    if (m.isVariable && list_->Model().AnnouncedChildren(info.index) != place.count) {
        // The array grows and shrinks with the data, at its end.
        const QModelIndex index = info.index;
        const bool populated = info.populated;
        const int made = list_->Model().rowCount(index);
        list_->Model().SetAnnouncedChildren(index, place.count);
        if (place.count < made)
            RemoveChildrenFrom(tag, place.count);
        else if (populated && made < place.count && rowsLeft_ > 0)
            Fetch(index, made, std::min(place.count - made, rowsLeft_));
    }
    const RowInfo array = rows_[size_t(tag)];
    if (IsStringRow(array)) {
        const LaidValue text = layout.CharacterText(m.type, array.textStart, array.count);
        SetValue(tag, text.text, !text.eof && !readOnly_);
    }
    const int made = list_->Model().rowCount(array.index);
    const auto elements = layout.PlaceElements(owner, m, place, 0, made);
    for (int i = 0; i < made && size_t(i) < elements.size(); ++i)
        if (const int child = TagOf(list_->Model().index(i, 0, array.index)); child >= 0)
            FillElement(child, owner, elements[size_t(i)], layout);
}

void CStructureViewDlg::FillElement(int tag, const StructureDef& owner, const MemberPlace& place, StructureLayout& layout)
{
    RowInfo& info = rows_[size_t(tag)];
    info.start = place.start;
    info.end = place.end;
    const StructureMember& m = owner.members[size_t(info.member)];
    if (const int structure = StructureOf(info); structure >= 0) {
        if (info.populated)
            FillStructure(tag, structure, place.start, layout);
    } else if (ValueTypeOf(info) >= 0) {
        const LaidValue value = layout.Value(m.type, place.start);
        SetValue(tag, value.text, !value.eof && !readOnly_);
    }
}

void CStructureViewDlg::SetValue(int tag, const QString& value, bool editable)
{
    list_->Model().SetValue(rows_[size_t(tag)].index, value, editable);
}

// ---------------------------------------------------------------- description

void CStructureViewDlg::UpdateDescription()
{
    const int tag = TagOf(list_->CurrentRow());
    if (tag >= 0)
        list_->Model().SetDescription(rows_[size_t(tag)].index, view_ ? Description(rows_[size_t(tag)]) : QString());
}

QString CStructureViewDlg::OffsetText(int64_t offset, bool hexadecimal) const { return RadixText(offset, hexadecimal); }

QString CStructureViewDlg::Description(const RowInfo& info) const
{
    // Offsets read as the view's offset column reads them.
    const QString offset = OffsetText(info.start, !view_->Geometry().decimalOffsets);
    const QString size = SizeText(info.end - info.start);
    if (const int structure = StructureOf(info); structure >= 0)
        return QStringLiteral("Data Type = Structure \"%1\", Offset = %2, Size = %3.")
            .arg(structures_.At(structure).name, offset, size);
    if (const int type = ValueTypeOf(info); type >= 0)
        return QStringLiteral("Data Type = \"%1\", Offset = %2, Size = %3.")
            .arg(types_.At(type).Name(), offset, ByteCountText(types_.At(type).Size()));
    if (!IsArrayRow(info))
        return {};
    const StructureMember& m = *MemberOf(info);
    if (const StructureDef* nested = structures_.Referenced(m.type))
        return QStringLiteral("Data Type = Array of structure \"%1\", Offset = %2, Size = %3.").arg(nested->name, offset, size);
    if (m.IsStructure() || m.type >= types_.Count())
        return {};
    const ValueType& type = types_.At(m.type);
    return QStringLiteral("Data Type = Array of type \"%1\" (%2 each), Offset = %3, Size = %4.")
        .arg(type.Name(), ByteCountText(type.Size()), offset, size);
}

// ---------------------------------------------------------------- highlight

void CStructureViewDlg::UpdateHighlight()
{
    const int tag = TagOf(list_->CurrentRow());
    const bool marked = tag >= 0 && rows_[size_t(tag)].end > rows_[size_t(tag)].start;
    // Other pages highlight through the same range; only this page's own
    // highlight is removed here.
    if (!isVisible() || !listFocused_ || !marked || !view_) {
        if (ownsHighlight_)
            highlight_.Clear();
        ownsHighlight_ = false;
        return;
    }
    const RowInfo& info = rows_[size_t(tag)];
    highlight_.Set(view_, base_ + info.start, base_ + info.end);
    ownsHighlight_ = true;
}

// ---------------------------------------------------------------- editing

QString CStructureViewDlg::EditText(const QModelIndex& row) const
{
    const int tag = TagOf(row);
    if (tag < 0)
        return {};
    const QString& value = list_->Model().Row(row).value;
    return IsStringRow(rows_[size_t(tag)]) ? value : EditTextFor(ValueTypeOf(rows_[size_t(tag)]), value);
}

void CStructureViewDlg::CommitEdit(const QModelIndex& row, const QString& text)
{
    const int tag = TagOf(row);
    if (tag < 0 || !view_ || !list_->Model().Row(row).editable)
        return;
    const RowInfo info = rows_[size_t(tag)];
    if (IsStringRow(info)) {
        WriteText(info, text);
        FillValues();
        return;
    }
    const int type = ValueTypeOf(info);
    if (type < 0)
        return;
    QByteArray bytes;
    if (!ParseEditedValue(types_, type, text, bigEndian_, bytes)) {
        platform::ShowMessage(ConversionFailedText(text, types_.At(type).Name()));
        return;
    }
    view_->Clipboard().OverwriteRange(base_ + info.start, bytes.constData(), int32_t(bytes.size()));
    FillValues();
}

void CStructureViewDlg::WriteText(const RowInfo& info, const QString& text)
{
    // The text and its terminating zero, as far as the array reaches.
    QByteArray bytes;
    if (MemberOf(info)->type == TYPE_ASCII_CHARACTER) {
        bytes = platform::ToCodePage(text);
        bytes.append('\0');
        bytes.truncate(std::min<qsizetype>(bytes.size(), info.count));
    } else {
        const qsizetype units = std::min<qsizetype>(text.size() + 1, info.count);
        for (qsizetype i = 0; i < units; ++i) {
            const char16_t unit = i < text.size() ? text[i].unicode() : 0;
            const char high = char(unit >> 8), low = char(unit & 0xFF);
            bytes.append(bigEndian_ ? high : low);
            bytes.append(bigEndian_ ? low : high);
        }
    }
    // Never past the end of the file: the array may run beyond it.
    const int64_t at = base_ + info.textStart;
    const int64_t room = int64_t(view_->Document()->Size()) - at;
    if (room <= 0)
        return;
    bytes.truncate(std::min<qsizetype>(bytes.size(), room));
    if (!bytes.isEmpty())
        view_->Clipboard().OverwriteRange(at, bytes.constData(), int32_t(bytes.size()));
}

// ---------------------------------------------------------------- menu

QString CStructureViewDlg::StructureText() const
{
    QString text;
    const CTreeListModel& model = list_->Model();
    for (int i = 0; i < model.rowCount(); ++i)
        AppendRowText(model.index(i, 0), 0, text);
    return text;
}

void CStructureViewDlg::AppendRowText(const QModelIndex& row, int depth, QString& text) const
{
    const int tag = TagOf(row);
    if (tag < 0)
        return;
    const RowInfo& info = rows_[size_t(tag)];
    const TreeListRow& cells = list_->Model().Row(row);
    // Two spaces per level keep the tabs for the columns.
    text += QString(2 * depth, u' ') + cells.name + u'\t' + cells.value + u'\t' +
            RadixText(info.start, hexadecimal_) + u'\t' + RadixText(info.end - info.start, hexadecimal_) + u'\n';
    if (!list_->List()->isExpanded(row))
        return;
    for (int i = 0; i < list_->Model().rowCount(row); ++i)
        AppendRowText(list_->Model().index(i, 0, row), depth + 1, text);
}

void CStructureViewDlg::CopyStructure()
{
    const QString text = StructureText();
    if (!text.isEmpty())
        platform::SetClipboardText(platform::ToCodePage(text));
}

void CStructureViewDlg::ToggleFlag(bool& flag, bool rebuild)
{
    flag = !flag;
    emit refreshRequested(rebuild);
}

void CStructureViewDlg::contextMenuEvent(QContextMenuEvent* event)
{
    expandAction_->setChecked(expandArrays_);
    hexAction_->setChecked(hexadecimal_);
    bigEndianAction_->setChecked(bigEndian_);
    // From the keyboard the menu opens near the page's corner, not where the
    // mouse happens to be.
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard ? mapToGlobal(QPoint(5, 5)) : event->globalPos();
    menu_->popup(at);
    event->accept();
}
