#pragma once
// One QAction per command, made from a table of texts, keys and icons.
// Commands whose subsystem does not exist yet are created disabled and stay
// disabled through every update, so no button ever does nothing.
#include "app/CommandId.h"

#include <QAction>
#include <QList>
#include <QKeySequence>
#include <array>

class QObject;

struct CommandSpec {
    Cmd id;
    const char* text;
    QList<QKeySequence> keys;
    const char* themeIcon;  // freedesktop icon name, or nullptr
    int drawnIcon;          // DrawnIcon fallback
    const char* statusTip;
    bool checkable;
    bool available;         // false until the command's subsystem exists
};

// The table, in Cmd order.
const std::array<CommandSpec, kCommandCount>& CommandSpecs();

class CommandTable {
public:
    explicit CommandTable(QObject* owner);

    QAction* operator[](Cmd id) const { return actions_[size_t(id)]; }
    bool IsAvailable(Cmd id) const { return CommandSpecs()[size_t(id)].available; }
    // Sets the state of an available command; unavailable ones stay disabled.
    void SetEnabled(Cmd id, bool enabled) const;
    void SetChecked(Cmd id, bool checked) const;
    QList<QAction*> All() const;

private:
    std::array<QAction*, kCommandCount> actions_{};
};
