#include "AnyNameFileDialog.h"

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
        connect(files, &QFileSystemModel::rootPathChanged, this, &CAnyNameFileDialog::ListOtherFiles);
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
    const QList<QRegularExpression> patterns = FilterPatterns(selectedNameFilter());
    for (const QString& path : platform::FilesTheToolkitCannotList(directory().absolutePath())) {
        const QString shown = platform::DisplayFileName(QFileInfo(path).fileName());
        if (Matches(patterns, shown))
            otherFiles_->addItem(shown, path);
    }
    otherFiles_->setCurrentIndex(-1);
    otherLabel_->setVisible(otherFiles_->count() > 0);
    otherFiles_->setVisible(otherFiles_->count() > 0);
}

void CAnyNameFileDialog::OtherFileChosen(int index)
{
    if (index >= 0)
        SelectExactFile(otherFiles_->itemData(index).toString());
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
    // What selectedFiles() gives back once the name field shows the name.
    shownToExact_.insert(platform::DisplayFileName(directory().absoluteFilePath(info.fileName())), path);
    selectFile(platform::DisplayFileName(info.fileName()));
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
        return;
    }
    if (acceptMode() == QFileDialog::AcceptSave && platform::FileNameExists(exact) && !ConfirmReplace(exact))
        return;
    chosen_ = exact;
    // Past the toolkit's own checks, which would call the file missing.
    QDialog::accept();
}

QString CAnyNameFileDialog::ChosenPath() const
{
    if (result() != QDialog::Accepted)
        return QString();
    return chosen_.isEmpty() ? selectedFiles().value(0) : chosen_;
}
