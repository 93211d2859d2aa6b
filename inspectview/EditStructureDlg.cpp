#include "EditStructureDlg.h"

#include "furniture/HelpManual.h"
#include "types/ValueTypeRegistry.h"
#include "platform/MessageBox.h"
#include "tooldialogs/IntEdit.h"
#include "types/IntegerText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

QString MemberNameEmptyText() { return QStringLiteral("You must enter a name for this member."); }
QString MemberNameDuplicateText() { return QStringLiteral("You must enter a unique name for this member."); }
QString FixedLengthRangeText()
{
    return platform::IntegerRangeText(StructureMember::kMinFixedLength, StructureMember::kMaxFixedLength);
}
QString StructureNameEmptyText() { return QStringLiteral("You must enter a name for this structure."); }
QString StructureNameTakenText()
{
    return QStringLiteral("Cannot save structure : A structure with this name already exists.");
}
QString MemberInUseText(const QString& member, const QString& array)
{
    return QStringLiteral("Cannot delete the structure member '%1' because it is used as the variable-length-array "
                          "member for '%2'.")
        .arg(member, array);
}
QString DeleteMemberQuestion(const QString& member)
{
    return QStringLiteral("Are you sure you want to delete the structure member '%1'?").arg(member);
}

namespace {
// The fixed length as typed, or -1 when it is not a number the editor allows.
int32_t FixedLengthOf(const CIntEdit& field)
{
    const ParsedInteger parsed = ParseInteger(field.Text());
    if (!parsed.Ok() || parsed.negative || parsed.value < uint64_t(StructureMember::kMinFixedLength) ||
        parsed.value > uint64_t(StructureMember::kMaxFixedLength))
        return -1;
    return int32_t(parsed.value);
}

QPushButton* SideButton(const char* text)
{
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setAutoDefault(false);
    return button;
}
} // namespace

CEditStructureDlg::CEditStructureDlg(StructureCollection& collection, const ValueTypeRegistry& types, int index,
                                     IUserInterface& ui, QWidget* parent)
    : QDialog(parent), collection_(collection), types_(types), index_(index)
{
    const bool adding = index < 0 || index >= collection.Count();
    if (adding) {
        index_ = -1;
        edited_.name = ProposedStructureName(collection);
    } else {
        edited_ = collection.At(index);
    }
    setWindowTitle(adding ? QStringLiteral("Add Structure") : QStringLiteral("Edit Structure"));

    name_ = new QLineEdit(edited_.name);
    padding_ = new QComboBox;
    padding_->addItems({QStringLiteral("1 byte (no padding)"), QStringLiteral("2 bytes"), QStringLiteral("4 bytes"),
                        QStringLiteral("8 bytes")});
    padding_->setCurrentIndex(std::clamp(edited_.paddingIndex, 0, StructureDef::kPaddingCount - 1));
    auto* head = new QFormLayout;
    head->addRow(QStringLiteral("&Structure name:"), name_);
    head->addRow(QStringLiteral("Structure &padding:"), padding_);

    members_ = new QListWidget;
    // Room for a proposed name such as "[Member001]" and a little more.
    members_->setMinimumWidth(members_->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 14);
    auto* membersLabel = new QLabel(QStringLiteral("&Members:"));
    membersLabel->setBuddy(members_);
    add_ = SideButton("&Add");
    delete_ = SideButton("&Delete...");
    up_ = SideButton("Move &Up");
    down_ = SideButton("Move Do&wn");
    auto* side = new QVBoxLayout;
    for (QPushButton* button : {add_, delete_, up_, down_})
        side->addWidget(button);
    side->addStretch();
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(membersLabel);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(members_, 1);
    listRow->addLayout(side);
    listColumn->addLayout(listRow, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(listColumn, 1);
    body->addWidget(CreateMemberFields(), 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEditStructureDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEditStructureDlg::reject);
    ConnectHelpButton(buttons, QStringLiteral("structures"), ui);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);

    typeChoices_ = DataTypeChoices(collection_, index_, types_);
    for (const TypeChoice& choice : typeChoices_)
        type_->addItem(choice.text);

    connect(add_, &QPushButton::clicked, this, &CEditStructureDlg::OnAddMember);
    connect(delete_, &QPushButton::clicked, this, &CEditStructureDlg::OnDeleteMember);
    connect(up_, &QPushButton::clicked, this, [this] { OnMoveMember(true); });
    connect(down_, &QPushButton::clicked, this, [this] { OnMoveMember(false); });
    connect(members_, &QListWidget::currentRowChanged, this, &CEditStructureDlg::OnMemberSelected);
    ConnectMemberFields();

    // Every structure has at least one member.
    if (edited_.members.empty()) {
        StructureMember member;
        member.name = ProposedMemberName(edited_);
        edited_.members.push_back(member);
    }
    RefillMemberList();
    ShowMember(0);
    name_->setFocus(Qt::OtherFocusReason);
    name_->selectAll();
}

QWidget* CEditStructureDlg::CreateMemberFields()
{
    memberName_ = new QLineEdit;
    type_ = new QComboBox;
    array_ = new QCheckBox(QStringLiteral("This member is an a&rray"));
    fixedLength_ = new CIntEdit(StructureMember::kMinFixedLength, StructureMember::kMaxFixedLength);
    fixedLabel_ = new QLabel(QStringLiteral("&Fixed array length:"));
    fixedLabel_->setBuddy(fixedLength_);
    variable_ = new QCheckBox(QStringLiteral("&Variable-length member:"));
    length_ = new QComboBox;

    auto* nameLabel = new QLabel(QStringLiteral("Member &name:"));
    nameLabel->setBuddy(memberName_);
    auto* typeLabel = new QLabel(QStringLiteral("Data &type:"));
    typeLabel->setBuddy(type_);

    auto* group = new QGroupBox(QStringLiteral("Member"));
    auto* grid = new QGridLayout(group);
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(memberName_, 0, 1);
    grid->addWidget(typeLabel, 1, 0);
    grid->addWidget(type_, 1, 1);
    grid->addWidget(array_, 2, 0, 1, 2);
    grid->addWidget(fixedLabel_, 3, 0);
    grid->addWidget(fixedLength_, 3, 1);
    grid->addWidget(variable_, 4, 0);
    grid->addWidget(length_, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);
    return group;
}

void CEditStructureDlg::ConnectMemberFields()
{
    connect(memberName_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (filling_ || !Current())
            return;
        Current()->name = text.trimmed();
        members_->item(current_)->setText(Current()->name);
    });
    connect(type_, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (filling_ || !Current() || row < 0 || row >= int(typeChoices_.size()))
            return;
        Current()->type = typeChoices_[size_t(row)].type;
        UpdateControls();
    });
    connect(array_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_ || !Current())
            return;
        Current()->isArray = on;
        UpdateControls();
    });
    connect(fixedLength_, &CIntEdit::textEdited, this, [this] {
        if (filling_ || !Current())
            return;
        // A text that is not yet a valid length keeps the last valid one;
        // leaving the member or OK reports it.
        if (const int32_t length = FixedLengthOf(*fixedLength_); length > 0)
            Current()->fixedLength = length;
    });
    connect(variable_, &QCheckBox::toggled, this, [this](bool on) {
        if (filling_ || !Current())
            return;
        Current()->isVariable = on;
        const int row = length_->currentIndex();
        Current()->lengthMember = on && row >= 0 ? lengthChoices_[size_t(row)].member : 0;
        UpdateControls();
    });
    connect(length_, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (filling_ || !Current() || row < 0 || !Current()->isVariable)
            return;
        Current()->lengthMember = lengthChoices_[size_t(row)].member;
    });
}

StructureMember* CEditStructureDlg::Current()
{
    if (current_ < 0 || current_ >= int(edited_.members.size()))
        return nullptr;
    return &edited_.members[size_t(current_)];
}

void CEditStructureDlg::RefillMemberList()
{
    const QSignalBlocker blocker(members_);
    members_->clear();
    for (const StructureMember& member : edited_.members)
        members_->addItem(member.name);
}

void CEditStructureDlg::OnMemberSelected(int row)
{
    if (row == current_ || row < 0)
        return;
    if (!ValidateCurrentMember())
        return;
    ShowMember(row);
}

void CEditStructureDlg::ShowMember(int member)
{
    filling_ = true;
    current_ = member;
    {
        const QSignalBlocker blocker(members_);
        members_->setCurrentRow(member);
    }
    const StructureMember& m = edited_.members[size_t(member)];
    memberName_->setText(m.name);
    int typeRow = -1;
    for (size_t i = 0; i < typeChoices_.size(); ++i)
        if (typeChoices_[i].type == m.type)
            typeRow = int(i);
    type_->setCurrentIndex(typeRow);
    array_->setChecked(m.isArray);
    // Lengths are shown in the radix the user last wrote one in.
    fixedLength_->SetRadix(fixedLength_->Radix());
    fixedLength_->SetValue(m.fixedLength);
    variable_->setChecked(m.isVariable);
    FillLengthList();
    filling_ = false;
    UpdateControls();
}

void CEditStructureDlg::FillLengthList()
{
    const StructureMember& m = edited_.members[size_t(current_)];
    lengthChoices_ = LengthMemberChoices(edited_, current_, types_);
    length_->clear();
    int selected = lengthChoices_.empty() ? -1 : 0;
    for (size_t i = 0; i < lengthChoices_.size(); ++i) {
        length_->addItem(lengthChoices_[i].name);
        if (m.isVariable && lengthChoices_[i].member == m.lengthMember)
            selected = int(i);
    }
    length_->setCurrentIndex(selected);
}

void CEditStructureDlg::UpdateControls()
{
    const int count = int(edited_.members.size());
    delete_->setEnabled(count > 1);
    up_->setEnabled(current_ > 0);
    down_->setEnabled(current_ >= 0 && current_ < count - 1);

    StructureMember* m = Current();
    const bool isArray = m && m->isArray;
    const bool canBeVariable = isArray && !lengthChoices_.empty();
    if (!canBeVariable && m && m->isVariable) {
        m->isVariable = false;
        m->lengthMember = 0;
    }
    {
        const QSignalBlocker blocker(variable_);
        variable_->setChecked(m && m->isVariable);
    }
    variable_->setEnabled(canBeVariable);
    const bool isVariable = m && m->isVariable;
    fixedLabel_->setEnabled(isArray && !isVariable);
    fixedLength_->setEnabled(isArray && !isVariable);
    length_->setEnabled(isArray && isVariable);
}

void CEditStructureDlg::RefuseMemberField(const QString& text, QWidget* field)
{
    platform::ShowMessage(text, MsgButtons::Ok, MsgIcon::Warning);
    {
        const QSignalBlocker blocker(members_);
        members_->setCurrentRow(current_);
    }
    field->setFocus(Qt::OtherFocusReason);
    if (field == memberName_)
        memberName_->selectAll();
    else
        fixedLength_->SelectAllText();
}

bool CEditStructureDlg::ValidateCurrentMember()
{
    StructureMember* m = Current();
    if (!m)
        return true;
    const QString name = memberName_->text().trimmed();
    switch (CheckMemberName(edited_, current_, name)) {
    case MemberNameProblem::Empty:
        RefuseMemberField(MemberNameEmptyText(), memberName_);
        return false;
    case MemberNameProblem::Duplicate:
        RefuseMemberField(MemberNameDuplicateText(), memberName_);
        return false;
    case MemberNameProblem::None:
        break;
    }
    m->name = name;
    members_->item(current_)->setText(name);
    // A length the field would not accept is never kept silently.
    if (m->isArray && !m->isVariable && FixedLengthOf(*fixedLength_) < 0) {
        RefuseMemberField(FixedLengthRangeText(), fixedLength_);
        return false;
    }
    const bool canGiveCount =
        !m->IsStructure() && !m->isArray && m->type < types_.Count() && types_.At(m->type).HasIntegerValue();
    if (canGiveCount)
        return true;
    if (ClearBrokenLinks(edited_, current_, types_))
        platform::ShowMessage(BrokenLinkWarningText(), MsgButtons::Ok, MsgIcon::Warning);
    return true;
}

void CEditStructureDlg::OnAddMember()
{
    if (!ValidateCurrentMember())
        return;
    StructureMember member;
    member.name = ProposedMemberName(edited_);
    edited_.members.push_back(member);
    RefillMemberList();
    ShowMember(int(edited_.members.size()) - 1);
    memberName_->setFocus(Qt::OtherFocusReason);
    memberName_->selectAll();
}

void CEditStructureDlg::OnDeleteMember()
{
    const StructureMember* m = Current();
    if (!m || edited_.members.size() < 2)
        return;
    const int user = MemberUsedAsLengthBy(edited_, current_);
    if (user >= 0) {
        platform::ShowMessage(MemberInUseText(m->name, edited_.members[size_t(user)].name), MsgButtons::Ok,
                              MsgIcon::Warning);
        return;
    }
    if (platform::ShowMessage(DeleteMemberQuestion(m->name), MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes)
        return;
    const int removed = current_;
    DeleteMember(edited_, removed);
    current_ = -1;
    RefillMemberList();
    ShowMember(std::min(removed, int(edited_.members.size()) - 1));
}

void CEditStructureDlg::OnMoveMember(bool up)
{
    const int from = current_;
    const int to = up ? from - 1 : from + 1;
    if (from < 0 || to < 0 || to >= int(edited_.members.size()))
        return;
    const bool broken = MoveMember(edited_, from, up, types_);
    RefillMemberList();
    current_ = -1;
    ShowMember(to);
    if (broken)
        platform::ShowMessage(BrokenLinkWarningText(), MsgButtons::Ok, MsgIcon::Warning);
}

void CEditStructureDlg::accept()
{
    if (!ValidateCurrentMember())
        return;
    const QString name = name_->text().trimmed();
    const int other = collection_.FindByName(name);
    QString refusal;
    if (name.isEmpty())
        refusal = StructureNameEmptyText();
    else if (other >= 0 && other != index_)
        refusal = StructureNameTakenText();
    if (!refusal.isEmpty()) {
        platform::ShowMessage(refusal, MsgButtons::Ok, MsgIcon::Warning);
        name_->setFocus(Qt::OtherFocusReason);
        name_->selectAll();
        return;
    }
    edited_.name = name;
    edited_.paddingIndex = padding_->currentIndex();
    if (index_ >= 0)
        collection_.Replace(index_, edited_);
    else
        index_ = collection_.Add(edited_);
    QDialog::accept();
}
