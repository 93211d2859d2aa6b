#include "ValueAction.h"

#include <QtGlobal>

namespace {
constexpr ValueAction VALUE_ACTIONS[VALUE_ACTION_COUNT] = {
    {"Set Value", true, true},
    {"Add", true, true},
    {"Subtract", true, true},
    {"Multiply", true, true},
    {"Divide", true, true},
    {"Bitwise And", true, true},
    {"Bitwise Or", true, true},
    {"Bitwise Xor", true, true},
    {"Bitwise Not", false, false},
    {"Shift Left", true, false},
    {"Shift Right", true, false},
    {"Rotate Left", true, false},
    {"Rotate Right", true, false},
    {"Toggle Sign", false, false},
    {"Set Ceiling Value", true, true},
    {"Set Floor Value", true, true},
};
} // namespace

bool IsValueAction(int index) { return index >= 0 && index < VALUE_ACTION_COUNT; }

const ValueAction& ValueActionAt(int index)
{
    Q_ASSERT(IsValueAction(index));
    return VALUE_ACTIONS[index];
}
