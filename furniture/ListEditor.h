#pragma once
// The editing of an ordered list of entries shown one per line in a
// QListWidget, with the buttons "&Add...", "&Edit...", "&Delete...",
// "Move &Up" and "&Move Down" beside it. The entries live in a vector the
// owner keeps; the owner supplies how an entry reads in the list and the
// dialogs that add and edit one.
#include "platform/MessageBox.h"

#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

// The button column; the caller places `column` beside the list.
struct ListEditButtons {
    QPushButton* add = nullptr;
    QPushButton* edit = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* up = nullptr;
    QPushButton* down = nullptr;
    QVBoxLayout* column = nullptr;
};

inline ListEditButtons MakeListEditButtons(QWidget* parent)
{
    ListEditButtons b{new QPushButton(QStringLiteral("&Add..."), parent),
                      new QPushButton(QStringLiteral("&Edit..."), parent),
                      new QPushButton(QStringLiteral("&Delete..."), parent),
                      new QPushButton(QStringLiteral("Move &Up"), parent),
                      new QPushButton(QStringLiteral("&Move Down"), parent), new QVBoxLayout};
    for (QPushButton* button : {b.add, b.edit, b.remove, b.up, b.down})
        b.column->addWidget(button);
    b.column->addStretch(1);
    return b;
}

template <typename Entry>
class CListEditor {
public:
    struct Hooks {
        std::function<QString(const Entry&)> text;
        // The new entry, or nothing when the user cancelled or may not add one.
        std::function<std::optional<Entry>()> add;
        // The changed entry, or nothing when the user cancelled.
        std::function<std::optional<Entry>(const Entry&)> edit;
        QString deleteQuestion;
    };

    CListEditor(std::vector<Entry>& entries, QListWidget* list, const ListEditButtons& buttons, Hooks hooks)
        : entries_(entries), list_(list), buttons_(buttons), hooks_(std::move(hooks))
    {
        connections_ = {
            QObject::connect(list_, &QListWidget::currentRowChanged, [this] { UpdateButtons(); }),
            QObject::connect(list_, &QListWidget::itemDoubleClicked, [this] { Edit(); }),
            QObject::connect(buttons_.add, &QPushButton::clicked, [this] { Add(); }),
            QObject::connect(buttons_.edit, &QPushButton::clicked, [this] { Edit(); }),
            QObject::connect(buttons_.remove, &QPushButton::clicked, [this] { Delete(); }),
            QObject::connect(buttons_.up, &QPushButton::clicked, [this] { Move(-1); }),
            QObject::connect(buttons_.down, &QPushButton::clicked, [this] { Move(1); }),
        };
        Refill(0);
    }
    // The list and buttons may outlive the editor while their owner is torn
    // down; they must not call into it then.
    ~CListEditor()
    {
        for (const QMetaObject::Connection& connection : connections_)
            QObject::disconnect(connection);
    }
    CListEditor(const CListEditor&) = delete;
    CListEditor& operator=(const CListEditor&) = delete;

    // Shows the entries again with row select (clamped) current.
    void Refill(int select)
    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const Entry& entry : entries_)
            list_->addItem(hooks_.text(entry));
        if (!entries_.empty())
            list_->setCurrentRow(std::clamp(select, 0, Count() - 1));
        UpdateButtons();
    }

    void Add()
    {
        std::optional<Entry> entry = hooks_.add();
        if (!entry)
            return;
        entries_.push_back(std::move(*entry));
        Refill(Count() - 1);
    }

    void Edit()
    {
        const int row = SelectedRow();
        if (row < 0)
            return;
        std::optional<Entry> entry = hooks_.edit(entries_[size_t(row)]);
        if (!entry)
            return;
        entries_[size_t(row)] = std::move(*entry);
        Refill(row);
    }

    void Delete()
    {
        const int row = SelectedRow();
        if (row < 0)
            return;
        if (platform::ShowMessage(hooks_.deleteQuestion, platform::MsgButtons::YesNo, platform::MsgIcon::Question)
            != platform::MsgResult::Yes)
            return;
        entries_.erase(entries_.begin() + row);
        Refill(row);
    }

    void Move(int step)
    {
        const int row = SelectedRow();
        const int other = row + step;
        if (row < 0 || other < 0 || other >= Count())
            return;
        std::swap(entries_[size_t(row)], entries_[size_t(other)]);
        Refill(other);
    }

private:
    int Count() const { return int(entries_.size()); }
    // The current row when it names an entry, else -1.
    int SelectedRow() const
    {
        const int row = list_->currentRow();
        return row >= 0 && row < Count() ? row : -1;
    }
    void UpdateButtons()
    {
        const int row = SelectedRow();
        buttons_.edit->setEnabled(row >= 0);
        buttons_.remove->setEnabled(row >= 0);
        buttons_.up->setEnabled(row > 0);
        buttons_.down->setEnabled(row >= 0 && row + 1 < Count());
    }

    std::vector<Entry>& entries_;
    QListWidget* list_;
    ListEditButtons buttons_;
    Hooks hooks_;
    std::vector<QMetaObject::Connection> connections_;
};
