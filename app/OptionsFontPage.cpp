#include "OptionsFontPage.h"

#include "app/DisplayChoices.h"
#include "app/OptionsState.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

namespace {

const int kProposedSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// Fixed-pitch faces first, as a hex editor's columns need them, then the rest.
QStringList FaceNames()
{
    QStringList fixed;
    QStringList others;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        (QFontDatabase::isFixedPitch(family) ? fixed : others) << family;
    }
    return fixed + others;
}

QString SizeText(int twips)
{
    return twips % 20 == 0 ? QString::number(twips / 20) : QString::number(twips / 20.0, 'f', 1);
}

void SetFaceName(platform::FontRecord& record, const QString& family)
{
    std::fill(std::begin(record.faceName), std::end(record.faceName), u'\0');
    for (qsizetype i = 0; i < std::min<qsizetype>(family.size(), 31); ++i)
        record.faceName[i] = family[i].unicode();
}

} // namespace

COptionsFont::COptionsFont(const OptionsState& state, QWidget* parent) : QWidget(parent), record_(state.settings.font2)
{
    faces_ = new QListWidget(this);
    faces_->addItems(FaceNames());
    sizes_ = new QComboBox(this);
    sizes_->setEditable(true);
    sizes_->setInsertPolicy(QComboBox::NoInsert);
    for (int size : kProposedSizes)
        sizes_->addItem(QString::number(size));
    auto* sampleBox = new QGroupBox(QStringLiteral("Sample"), this);
    sample_ = new QLabel(QStringLiteral("AaBbYyZz"), sampleBox);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setMinimumHeight(60);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sampleLayout->addWidget(sample_);

    auto* faceLabel = new QLabel(QStringLiteral("&Font:"), this);
    faceLabel->setBuddy(faces_);
    auto* sizeLabel = new QLabel(QStringLiteral("&Size:"), this);
    sizeLabel->setBuddy(sizes_);
    auto* page = new QVBoxLayout(this);
    page->addWidget(faceLabel);
    page->addWidget(faces_, 1);
    page->addWidget(sizeLabel);
    page->addWidget(sizes_);
    page->addWidget(sampleBox);

    if (record_.height != 0)
        twips_ = int(std::lround(std::abs(record_.height) * 1440.0 / PixelsPerInch()));
    twips_ = std::clamp(twips_, kMinFontTwips, kMaxFontTwips);
    const QString face = QString::fromUtf16(record_.faceName);
    QList<QListWidgetItem*> found = faces_->findItems(face, Qt::MatchFixedString);
    if (found.isEmpty() && !face.isEmpty()) {
        // A face this machine lacks (a record from elsewhere) stays choosable.
        faces_->insertItem(0, face);
        found << faces_->item(0);
    }
    faces_->setCurrentItem(found.isEmpty() ? faces_->item(0) : found.first());
    sizes_->setCurrentText(SizeText(twips_));

    connect(faces_, &QListWidget::currentRowChanged, this, &COptionsFont::UpdateSample);
    connect(sizes_, &QComboBox::currentTextChanged, this, &COptionsFont::OnSizeEdited);
    UpdateSample();
}

int COptionsFont::PixelsPerInch() const
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? std::max(1, int(std::lround(screen->logicalDotsPerInchY()))) : 96;
}

void COptionsFont::OnSizeEdited()
{
    // A size out of range or no number at all keeps the previous size.
    if (const std::optional<int> twips = ParseFontSize(sizes_->currentText()))
        twips_ = *twips;
    UpdateSample();
}

platform::FontRecord COptionsFont::Record() const
{
    platform::FontRecord record = record_;
    if (faces_->currentItem())
        SetFaceName(record, faces_->currentItem()->text());
    record.height = FontHeightForTwips(twips_, PixelsPerInch());
    record.width = 0;
    return record;
}

void COptionsFont::UpdateSample() { sample_->setFont(platform::FontFromRecord(Record())); }

void COptionsFont::Commit(OptionsState& state) const
{
    // Leaving the font untouched keeps its record byte for byte.
    const platform::FontRecord record = Record();
    const bool sameFace = QString::fromUtf16(record.faceName) == QString::fromUtf16(state.settings.font2.faceName);
    if (sameFace && record.height == state.settings.font2.height)
        return;
    state.settings.font2 = record;
}
