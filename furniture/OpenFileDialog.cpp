#include "OpenFileDialog.h"

#include "furniture/FileFilters.h"

#include <QCheckBox>
#include <QGridLayout>

COpenFileDialog::COpenFileDialog(QWidget* parent, const QString& fileFilters)
    : CAnyNameFileDialog(parent, QStringLiteral("Open"))
{
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
    const QString path = ChosenPath();
    if (path.isEmpty())
        return std::nullopt;
    return OpenFileChoice{path, ReadOnlyChecked()};
}
