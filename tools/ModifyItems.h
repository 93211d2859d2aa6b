#pragma once
// Modify: an action applied to a run of items of one standard type from the
// start offset on, optionally changing the action value after each item (the
// sequence generator: Set Value 0 with Add 1 writes 0, 1, 2, ...). One undo step.
#include "types/TypedValue.h"

#include <QString>
#include <cstdint>

class CBinEditDoc;
class IToolView;
struct AppSettings;

// What the Modify dialog holds, as typed.
struct ModifyInputs {
    QString countText = QStringLiteral("1");
    int type = TYPE_BYTE;  // a standard type
    int action = ACTION_SET_VALUE;
    QString actionValue = QStringLiteral("0");
    bool bigEndian = false;
    bool modifyValue = false;  // change the action value after each item
    int action2 = ACTION_ADD;  // never Set Value
    QString actionValue2 = QStringLiteral("1");

    static ModifyInputs FromSettings(const AppSettings& settings);
};

// Enabling rules of the dialog.
bool ModifyValueEnabled(int action);
bool ModifySecondActionEnabled(int action, bool modifyValue);
bool ModifySecondValueEnabled(int action, bool modifyValue, int action2);

// A validated Modify: every operand parsed in native order.
struct ModifyRequest {
    int32_t count = 1;
    int type = TYPE_BYTE;
    int action = ACTION_SET_VALUE;
    TypedValue value;  // of the type, or a Byte for a bit count
    bool bigEndian = false;
    bool modifyValue = false;  // only when the action takes an operand
    int action2 = ACTION_ADD;
    TypedValue value2;
};

enum class ModifyField { None, Count, ActionValue, ActionValue2 };

struct ModifyValidation {
    ModifyField failed = ModifyField::None;  // the input that gets the focus back
    ModifyRequest request;
    int countRadix = 16;
    QString actionValue;  // trimmed, as written back to the edits
    QString actionValue2;

    bool Ok() const { return failed == ModifyField::None; }
    // The accepted inputs become the dialog's settings.
    void Store(AppSettings& settings) const;
};

// OK of the dialog: the count message or the conversion message on failure.
ModifyValidation ValidateModify(const ModifyInputs& inputs);

QString ModifyExtendQuestion();

// Applies the request from start. When the run passes the end of the file
// the user is asked whether to extend the file (Yes: zero bytes are appended
// and modified too; No: only the existing bytes; Cancel: nothing). Selects
// the modified bytes (caret at start). Returns whether the file changed.
bool RunModify(CBinEditDoc& doc, IToolView& view, int64_t start, const ModifyRequest& request);
