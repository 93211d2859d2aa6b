#include "AnyNameFileDialog.h"

#include "FileDialogFolder.h"

#include "platform/FileNames.h"
#include "platform/MessageBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>

namespace {
// The patterns of a filter such as "Binary (*.bin *.dat)"; none means all.
QList<QRegularExpression> FilterPatterns(const QString& filter)
{
    static const QRegularExpression inParentheses(QStringLiteral("\\(([^()]*)\\)\\s*$"));
    const QRegularExpressionMatch match = inParentheses.match(filter);
    const QString patterns = match.hasMatch() ? match.captured(1) : filter;
    QList<QRegularExpression> expressions;
    for (const QString& pattern : patterns.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (pattern != QLatin1String("*") && pattern != QLatin1String("*.*"))
            expressions.append(QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive));
        else
            return {};
    return expressions;
}

bool Matches(const QList<QRegularExpression>& patterns, const QString& name)
{
    if (patterns.isEmpty())
        return true;
    for (const QRegularExpression& pattern : patterns)
        if (pattern.match(name).hasMatch())
            return true;
    return false;
}
} // namespace

CAnyNameFileDialog::CAnyNameFileDialog(QWidget* parent, const QString& caption, const QString& directory,
                                       const QString& filter)
    : QFileDialog(parent, caption, directory, filter)
{
    // The added box needs the dialog's own widgets.
    setOption(QFileDialog::DontUseNativeDialog);
    if (directory.isEmpty()) {
        if (const QString start = FileDialogStartFolder(); !start.isEmpty())
            setDirectory(start);
    }
    otherLabel_ = new QLabel(QStringLiteral("Names &not in UTF-8:"), this);
    otherFiles_ = new QComboBox(this);
    otherFiles_->setToolTip(QStringLiteral("Files in this folder whose names the list above cannot show"));
    otherLabel_->setBuddy(otherFiles_);
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        grid->addWidget(otherLabel_, row, 0);
        grid->addWidget(otherFiles_, row, 1, 1, grid->columnCount() - 1);
    }
    // Every change of folder, whether the user's or the program's.
    if (auto* files = findChild<QFileSystemModel*>(QStringLiteral("qt_filesystem_model")))
        connect(files, &QFileSystemModel::rootPathChanged, this, [this] {
            boxFolder_.clear();
            ListOtherFiles();
        });
    // The file-type list changes for the user's choice and for the program's
    // (selectNameFilter, which does not signal filterSelected); one listing
    // per change.
    if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        connect(types, &QComboBox::currentIndexChanged, this, &CAnyNameFileDialog::ListOtherFiles);
    else
        connect(this, &QFileDialog::filterSelected, this, &CAnyNameFileDialog::ListOtherFiles);
    connect(otherFiles_, &QComboBox::activated, this, &CAnyNameFileDialog::OtherFileChosen);
    // After the toolkit's own check of the name, which disables the button
    // for a name it cannot find.
    if (auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        connect(name, &QLineEdit::textChanged, this, &CAnyNameFileDialog::EnableAcceptForExactName);
    ListOtherFiles();
}

void CAnyNameFileDialog::EnableAcceptForExactName()
{
    auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    const QDialogButtonBox::StandardButton which =
        acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save : QDialogButtonBox::Open;
    if (QPushButton* accept = buttons ? buttons->button(which) : nullptr;
        accept && !ExactPathFor(selectedFiles().value(0)).isEmpty())
        accept->setEnabled(true);
}

void CAnyNameFileDialog::ListOtherFiles()
{
    otherFiles_->clear();
    const bool ownFolder = boxFolder_.isEmpty();
    if (!ownFolder)
        otherFiles_->addItem(QStringLiteral("../"), QFileInfo(boxFolder_).path());
    const QList<QRegularExpression> patterns = FilterPatterns(selectedNameFilter());
    const QString folder = ownFolder ? directory().absolutePath() : boxFolder_;
    for (const platform::FolderEntry& entry : platform::ListFolderByBytes(folder, ownFolder)) {
        const QString shown = platform::DisplayFileName(QFileInfo(entry.path).fileName());
        if (entry.isFolder)
            otherFiles_->addItem(shown + QLatin1Char('/'), entry.path);
        else if (Matches(patterns, shown))
            otherFiles_->addItem(shown, entry.path);
    }
    otherFiles_->setCurrentIndex(-1);
    // Where the box is, when the list above shows another folder.
    otherFiles_->setPlaceholderText(ownFolder ? QString() : platform::DisplayFileName(boxFolder_) + QLatin1Char('/'));
    otherLabel_->setVisible(otherFiles_->count() > 0);
    otherFiles_->setVisible(otherFiles_->count() > 0);
}

void CAnyNameFileDialog::OtherFileChosen(int index)
{
    if (index < 0)
        return;
    const QString path = otherFiles_->itemData(index).toString();
    if (otherFiles_->itemText(index).endsWith(QLatin1Char('/')))
        EnterFolder(path);
    else
        SelectExactFile(path);
}

void CAnyNameFileDialog::EnterFolder(const QString& folder)
{
    if (platform::HasBytesOutsideUtf8(folder)) {
        boxFolder_ = folder;
        ListOtherFiles();
    } else {
        // Back where the toolkit's list reaches: it shows the folder again.
        boxFolder_.clear();
        setDirectory(folder);
        ListOtherFiles();
    }
    // The folder's entries are what the user wants to see next, once the
    // box has closed the list the folder was chosen from.
    QComboBox* box = otherFiles_;
    QMetaObject::invokeMethod(
        box, [box] {
            if (box->isVisible())
                box->showPopup();
        },
        Qt::QueuedConnection);
}

void CAnyNameFileDialog::SelectExactFile(const QString& path)
{
    if (!platform::HasBytesOutsideUtf8(path)) {
        selectFile(path);
        return;
    }
    const QFileInfo info(path);
    if (!platform::HasBytesOutsideUtf8(info.path()))
        setDirectory(info.path());
    // A file in a folder the list cannot enter is named from the list's
    // folder, so that the name field says where it is.
    const QString listed = directory().absolutePath() + QLatin1Char('/');
    const QString name = platform::HasBytesOutsideUtf8(info.path()) && path.startsWith(listed)
                             ? path.mid(listed.size())
                             : info.fileName();
    // What selectedFiles() gives back once the name field shows the name.
    shownToExact_.insert(platform::DisplayFileName(directory().absoluteFilePath(name)), path);
    selectFile(platform::DisplayFileName(name));
}

QString CAnyNameFileDialog::ExactPathFor(const QString& selected) const
{
    if (selected.isEmpty())
        return QString();
    if (const auto known = shownToExact_.find(selected); known != shownToExact_.end())
        return *known;
    const QString recovered = platform::RecoverFileName(selected);
    if (recovered != selected && platform::FileNameExists(recovered))
        return recovered;
    return QString();
}

bool CAnyNameFileDialog::ConfirmReplace(const QString& path) const
{
    // The toolkit's own question, which it cannot ask about a name it cannot see.
    const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(platform::DisplayFileName(QFileInfo(path).fileName()));
    return platform::ShowMessage(text, platform::MsgButtons::YesNo, platform::MsgIcon::Warning) ==
           platform::MsgResult::Yes;
}

void CAnyNameFileDialog::accept()
{
    const QString exact = ExactPathFor(selectedFiles().value(0));
    if (exact.isEmpty()) {
        chosen_.clear();
        QFileDialog::accept();
        // Entering a folder does not close the dialog.
        if (result() == QDialog::Accepted)
            RememberFileDialogChoice(ChosenPath());
        return;
    }
    if (acceptMode() == QFileDialog::AcceptSave && platform::FileNameExists(exact) && !ConfirmReplace(exact))
        return;
    chosen_ = exact;
    // Past the toolkit's own checks, which would call the file missing.
    QDialog::accept();
    RememberFileDialogChoice(ChosenPath());
}

QString CAnyNameFileDialog::ChosenPath() const
{
    if (result() != QDialog::Accepted)
        return QString();
    return chosen_.isEmpty() ? selectedFiles().value(0) : chosen_;
}
