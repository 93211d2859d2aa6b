#pragma once
// The sixteen actions that the Modify dialog and friends apply to typed
// values. The index is what settings store, so the order never changes.
#include <QString>

enum ValueActionId : int {
    ACTION_SET_VALUE,
    ACTION_ADD,
    ACTION_SUBTRACT,
    ACTION_MULTIPLY,
    ACTION_DIVIDE,
    ACTION_BITWISE_AND,
    ACTION_BITWISE_OR,
    ACTION_BITWISE_XOR,
    ACTION_BITWISE_NOT,
    ACTION_SHIFT_LEFT,
    ACTION_SHIFT_RIGHT,
    ACTION_ROTATE_LEFT,
    ACTION_ROTATE_RIGHT,
    ACTION_TOGGLE_SIGN,
    ACTION_SET_CEILING_VALUE,
    ACTION_SET_FLOOR_VALUE,
};

constexpr int VALUE_ACTION_COUNT = 16;

struct ValueAction {
    const char* name;
    bool takesOperand;
    // When false the operand is a bit count, entered and stored as a Byte.
    bool operandIsSelectedType;

    QString Name() const { return QString::fromLatin1(name); }
};

bool IsValueAction(int index);
// index must satisfy IsValueAction.
const ValueAction& ValueActionAt(int index);
