#pragma once
// Delete: a run of items of any registered data type removed from the start
// offset, through the view's own delete-selection command.
#include <QString>
#include <cstdint>

class CBinEditDoc;
class IToolView;
class ValueTypeRegistry;
struct AppSettings;

struct DeleteInputs {
    QString countText = QStringLiteral("1");
    int type = 0;  // index into the registry

    static DeleteInputs FromSettings(const AppSettings& settings);
};

struct DeleteRequest {
    int32_t count = 1;
    int type = 0;
};

struct DeleteValidation {
    bool ok = false;  // false: the count message was shown, focus to the count
    DeleteRequest request;
    int countRadix = 16;

    void Store(AppSettings& settings) const;
};

DeleteValidation ValidateDelete(const DeleteInputs& inputs, const ValueTypeRegistry& types);

// Selects start to start + count items (clipped to the file) and deletes the
// selection. Returns whether anything was there to delete.
bool RunDelete(CBinEditDoc& doc, IToolView& view, int64_t start, const DeleteRequest& request,
               const ValueTypeRegistry& types);
