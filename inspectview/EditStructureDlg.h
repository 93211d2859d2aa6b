#pragma once
// The structure editor, "Add Structure" or "Edit Structure": the name and
// padding of one structure and its members, each with a name, a data type
// (a registry type or a structure that does not contain this one), an
// array length that is fixed or read from an earlier integer member. It
// works on a copy; OK checks the names and then replaces or appends the
// structure in the collection, Cancel leaves the collection as it was.
#include "inspect/StructureRules.h"

#include <QDialog>

#include <vector>

class CIntEdit;
class IUserInterface;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class ValueTypeRegistry;

class CEditStructureDlg : public QDialog {
    Q_OBJECT
public:
    // index -1 adds a new structure.
    CEditStructureDlg(StructureCollection& collection, const ValueTypeRegistry& types, int index, IUserInterface& ui,
                      QWidget* parent = nullptr);

    // The structure as edited so far, and after OK its index in the collection.
    const StructureDef& Edited() const { return edited_; }
    int ResultIndex() const { return index_; }
    int CurrentMember() const { return current_; }

    QLineEdit* NameEdit() const { return name_; }
    QComboBox* PaddingBox() const { return padding_; }
    QListWidget* MemberList() const { return members_; }
    QLineEdit* MemberNameEdit() const { return memberName_; }
    QComboBox* TypeBox() const { return type_; }
    QCheckBox* ArrayBox() const { return array_; }
    QLabel* FixedLengthLabel() const { return fixedLabel_; }
    CIntEdit* FixedLengthEdit() const { return fixedLength_; }
    QCheckBox* VariableBox() const { return variable_; }
    QComboBox* LengthBox() const { return length_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }

    void OnAddMember();
    void OnDeleteMember();
    void OnMoveMember(bool up);
    void accept() override;

private:
    QWidget* CreateMemberFields();
    void ConnectMemberFields();
    void RefillMemberList();
    // Asks to show member: validates the current one first and stays on it
    // when that fails.
    void OnMemberSelected(int row);
    void ShowMember(int member);
    void FillLengthList();
    bool ValidateCurrentMember();
    void RefuseMemberField(const QString& text, QWidget* field);
    void UpdateControls();
    StructureMember* Current();

    StructureCollection& collection_;
    const ValueTypeRegistry& types_;
    int index_;
    StructureDef edited_;
    int current_ = -1;
    // Set while the member fields are being filled, so their change
    // signals do not write back into the member.
    bool filling_ = false;
    std::vector<TypeChoice> typeChoices_;
    std::vector<LengthChoice> lengthChoices_;

    QLineEdit* name_;
    QComboBox* padding_;
    QListWidget* members_;
    QLineEdit* memberName_;
    QComboBox* type_;
    QCheckBox* array_;
    QLabel* fixedLabel_;
    CIntEdit* fixedLength_;
    QCheckBox* variable_;
    QComboBox* length_;
    QPushButton* add_;
    QPushButton* delete_;
    QPushButton* up_;
    QPushButton* down_;
};

// The editor's messages.
QString MemberNameEmptyText();
QString MemberNameDuplicateText();
QString FixedLengthRangeText();
QString StructureNameEmptyText();
QString StructureNameTakenText();
QString MemberInUseText(const QString& member, const QString& array);
QString DeleteMemberQuestion(const QString& member);
