#pragma once
// ValueTypeRegistry: the one ordered list of data types the data view, the
// structure definitions and the structure editor share. Entries 0 to 11 are
// the standard types in their fixed order; entries from 12 on are the custom
// types of the loaded data-type modules, in loading order. Each entry carries
// a hidden flag that only the data view honours.
#include "types/ValueType.h"

#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

class ValueTypeRegistry {
public:
    // Buffers sized from the registry never fall below these, so a view can
    // always hold any standard value and its text.
    static constexpr int kMinValueBufferSize = 16;
    static constexpr int kMinTextBufferLength = 32;
    // Separates names and sizes in the HiddenTypes setting.
    static constexpr QStringView kHiddenTypesSeparator = u"{@::}";

    // Starts with the twelve standard types and no custom type.
    ValueTypeRegistry();
    ValueTypeRegistry(const ValueTypeRegistry&) = delete;
    ValueTypeRegistry& operator=(const ValueTypeRegistry&) = delete;

    int Count() const { return int(entries_.size()); }
    // index must be below Count().
    const ValueType& At(int index) const { return *entries_[size_t(index)].type; }
    static bool IsCustomIndex(int index);

    bool IsHidden(int index) const { return entries_[size_t(index)].hidden; }
    void SetHidden(int index, bool hidden) { entries_[size_t(index)].hidden = hidden; }

    // The first entry with exactly this name and size, or -1. Custom types are
    // identified this way in stored files, so they survive a change in the
    // set of installed modules.
    int Find(QStringView name, int size) const;

    // Replaces every custom type (entries 12 and up) with these, in order.
    // The standard types keep their hidden flags.
    void SetCustomTypes(std::vector<std::unique_ptr<ValueType>> types);
    void ClearCustomTypes() { SetCustomTypes({}); }

    // The largest value size, at least kMinValueBufferSize bytes.
    int MaxValueSize() const { return maxValueSize_; }
    // The largest formatted-text length, at least kMinTextBufferLength characters.
    int MaxTextLength() const { return maxTextLength_; }

    // For each hidden entry in order: name, separator, size in decimal, with
    // the separator between entries too ("Byte{@::}1{@::}QWord{@::}8").
    QString HiddenTypesText() const;
    // Clears every hidden flag, then hides each entry the text names by name
    // and size. Pairs that match no entry, or whose size is not a number,
    // are skipped.
    void ApplyHiddenTypes(const QString& text);

private:
    struct Entry {
        std::unique_ptr<ValueType> type;
        bool hidden = false;
    };

    void UpdateBufferSizes();

    std::vector<Entry> entries_;
    int maxValueSize_ = kMinValueBufferSize;
    int maxTextLength_ = kMinTextBufferLength;
};

// The process-wide registry, owned for the life of the process.
ValueTypeRegistry& ValueTypes();
