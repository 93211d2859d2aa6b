#pragma once
// The "Compare Files" dialog: two drop-down lists of the open documents and
// of files added with Browse, the minimum match length and the side-by-side
// arrangement. Entries are the documents' paths (or titles, for documents
// without a file), shown shortened; OK needs two different entries.
#include <QDialog>
#include <QStringList>

class CIntEdit;
class IUserInterface;
class QCheckBox;
class QComboBox;
class QPushButton;

class CCompareFilesDlg : public QDialog {
    Q_OBJECT
public:
    // browseFilters are the name filters of the Browse buttons' file dialog.
    CCompareFilesDlg(const QStringList& openDocuments, int minMatchLen, bool sideBySide,
                     const QStringList& browseFilters, IUserInterface& ui, QWidget* parent = nullptr);

    // The chosen entries as full paths (or titles).
    QString File(int number) const;
    int MinMatchLen() const { return minMatchLen_; }
    bool SideBySide() const;

    QComboBox* List(int number) const { return number == 1 ? list1_ : list2_; }
    QPushButton* BrowseButton(int number) const { return number == 1 ? browse1_ : browse2_; }
    CIntEdit* MinMatchEdit() const { return minMatch_; }
    QCheckBox* SideBySideBox() const { return sideBySide_; }
    QPushButton* OkButton() const { return ok_; }

    // Adds the path to both lists unless one holds it already (without
    // regard to case), and selects it in list number.
    void AddFile(int number, const QString& path);
    void accept() override;

private:
    void Browse(int number);
    void UpdateOk();

    QComboBox* list1_;
    QComboBox* list2_;
    QPushButton* browse1_;
    QPushButton* browse2_;
    CIntEdit* minMatch_;
    QCheckBox* sideBySide_;
    QPushButton* ok_;
    int minMatchLen_;
    QStringList browseFilters_;
    IUserInterface& ui_;
};

QString MinMatchRangeText();  // "Please enter an integer between 1 and 16384."
