#pragma once
// Insert: a run of items of any registered data type, each holding the same
// value, inserted at the start offset as one undo step.
#include <QByteArray>
#include <QString>
#include <cstdint>

class CBinEditDoc;
class IToolView;
class ValueTypeRegistry;
struct AppSettings;

struct InsertInputs {
    QString countText = QStringLiteral("1");
    int type = 0;  // index into the registry
    QString value = QStringLiteral("0");
    bool bigEndian = false;

    static InsertInputs FromSettings(const AppSettings& settings);
};

struct InsertRequest {
    int32_t count = 1;
    int type = 0;
    QByteArray value;  // one item, in file order
    bool bigEndian = false;
};

enum class InsertField { None, Count, Value };

struct InsertValidation {
    InsertField failed = InsertField::None;
    InsertRequest request;
    int countRadix = 16;
    QString value;  // trimmed

    bool Ok() const { return failed == InsertField::None; }
    void Store(AppSettings& settings) const;
};

// OK of the dialog: the count message, or the type's conversion message.
InsertValidation ValidateInsert(const InsertInputs& inputs, const ValueTypeRegistry& types);

// Inserts count copies of the value at start and selects them (caret at
// start). Past the file size limit only what fits is inserted, after the
// buffer's message, and the history is cleared. Returns the bytes inserted.
int64_t RunInsert(CBinEditDoc& doc, IToolView& view, int64_t start, const InsertRequest& request);
