#include "OpenFileDialog.h"

#include "furniture/FileFilters.h"

#include <QCheckBox>
#include <QGridLayout>

COpenFileDialog::COpenFileDialog(QWidget* parent, const QString& fileFilters) : QFileDialog(parent)
{
    setWindowTitle(QStringLiteral("Open"));
    // The added check box needs the dialog's own widgets.
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontResolveSymlinks);
    setOption(QFileDialog::HideNameFilterDetails);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters(QtNameFilters(fileFilters));

    readOnly_ = new QCheckBox(QStringLiteral("Open as &read-only"), this);
    readOnly_->setChecked(false);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(readOnly_, grid->rowCount(), 0, 1, -1);
}

bool COpenFileDialog::ReadOnlyChecked() const { return readOnly_->isChecked(); }

std::optional<OpenFileChoice> COpenFileDialog::Choice() const
{
    const QStringList files = selectedFiles();
    if (result() != QDialog::Accepted || files.isEmpty())
        return std::nullopt;
    return OpenFileChoice{files.first(), ReadOnlyChecked()};
}
