#include "OptionsStatusPage.h"

#include "app/OptionsState.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <size_t N>
QGroupBox* RadioGroup(const QString& title, const char* const (&texts)[N], QRadioButton* (&buttons)[N], int checked,
                      QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(group);
    for (size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(QString::fromLatin1(texts[i]), group);
        layout->addWidget(buttons[i]);
    }
    buttons[std::clamp<size_t>(size_t(std::max(checked, 0)), 0, N - 1)]->setChecked(true);
    return group;
}

template <size_t N>
int CheckedIndex(QRadioButton* const (&buttons)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (buttons[i]->isChecked())
            return int(i);
    return 0;
}

} // namespace

COptionsStatus::COptionsStatus(const OptionsState& state, QWidget* parent) : QWidget(parent)
{
    static const char* const kRadix[3] = {"De&cimal", "He&xadecimal", "&Match radix used to display file offsets"};
    static const char* const kStyle[2] = {"Start-&end", "Start (&length)"};
    auto* note = new QLabel(
        QStringLiteral("These settings control the appearance of information that appears on the status bar."), this);
    note->setWordWrap(true);
    auto* page = new QVBoxLayout(this);
    page->addWidget(note);
    page->addWidget(RadioGroup(QStringLiteral("File position/length radix"), kRadix, radix_,
                               state.settings.statusFormat, this));
    page->addWidget(RadioGroup(QStringLiteral("File position/selection style"), kStyle, style_,
                               state.settings.posSelStyle, this));
    page->addStretch(1);
}

void COptionsStatus::Commit(OptionsState& state) const
{
    state.settings.statusFormat = CheckedIndex(radix_);
    state.settings.posSelStyle = CheckedIndex(style_);
}
