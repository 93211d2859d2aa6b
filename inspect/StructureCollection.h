#pragma once
// The structure collection: the ordered list of structure definitions that
// member types refer to by index, with the modified flag, the path of the
// file it came from or was saved to, and the header's reserved value, which
// is written back unchanged. It keeps no user interface: loading, saving and
// questions are the callers' business.
#include "inspect/StructureDef.h"

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

class StructureCollection {
public:
    int Count() const { return int(structures_.size()); }
    bool IsEmpty() const { return structures_.empty(); }
    // index must be below Count().
    const StructureDef& At(int index) const { return structures_[size_t(index)]; }
    const std::vector<StructureDef>& All() const { return structures_; }
    // The structure a structure reference names, or null when the reference
    // is not a structure or lies outside the collection.
    const StructureDef* Referenced(TypeRef type) const;

    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    const QString& Path() const { return path_; }
    void SetPath(const QString& path) { path_ = path; }
    int32_t Reserved() const { return reserved_; }

    // The index of the structure with exactly this name (case-sensitive), or -1.
    int FindByName(QStringView name) const;

    // Each of these marks the collection modified.
    int Add(StructureDef structure);  // appended; returns its index
    void Replace(int index, StructureDef structure);
    // Removes the structure and lowers every structure reference above index
    // by one. The caller has checked that nothing refers to it.
    void Delete(int index);
    void Clear();

    // Replaces the whole contents with what a file held: not modified.
    void Assign(std::vector<StructureDef> structures, int32_t reserved, const QString& path);

    // Whether structure i contains structure j, directly or through nested
    // structures. Safe on collections with cycles or references outside it.
    bool References(int i, int j) const;
    // The first structure other than index with a member of that structure's
    // type, or -1.
    int FirstReferrer(int index) const;

private:
    std::vector<StructureDef> structures_;
    bool modified_ = false;
    QString path_;
    int32_t reserved_ = 0;
};

// Lowers every structure reference above removed by one, in every member of
// structures; references to removed itself are left to the caller.
void RenumberAfterDelete(std::vector<StructureDef>& structures, int removed);
