#include "inspect/StructureCollection.h"

#include <algorithm>

const StructureDef* StructureCollection::Referenced(TypeRef type) const
{
    if (!IsStructureRef(type))
        return nullptr;
    const int index = StructureIndexOf(type);
    return index < Count() ? &At(index) : nullptr;
}

int StructureCollection::FindByName(QStringView name) const
{
    const auto it = std::find_if(structures_.begin(), structures_.end(),
                                 [name](const StructureDef& s) { return s.name == name; });
    return it == structures_.end() ? -1 : int(it - structures_.begin());
}

int StructureCollection::Add(StructureDef structure)
{
    structures_.push_back(std::move(structure));
    modified_ = true;
    return Count() - 1;
}

void StructureCollection::Replace(int index, StructureDef structure)
{
    structures_[size_t(index)] = std::move(structure);
    modified_ = true;
}

void StructureCollection::Delete(int index)
{
    structures_.erase(structures_.begin() + index);
    RenumberAfterDelete(structures_, index);
    modified_ = true;
}

void StructureCollection::Clear()
{
    structures_.clear();
    modified_ = true;
}

void StructureCollection::Assign(std::vector<StructureDef> structures, int32_t reserved, const QString& path)
{
    structures_ = std::move(structures);
    reserved_ = reserved;
    path_ = path;
    modified_ = false;
}

bool StructureCollection::References(int i, int j) const
{
    // A breadth-first walk with a visited set, so a damaged collection with a
    // cycle or a reference past its end cannot make it loop or read out of range.
    if (i < 0 || i >= Count())
        return false;
    std::vector<bool> visited(size_t(Count()), false);
    std::vector<int> pending{i};
    visited[size_t(i)] = true;
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        for (const StructureMember& member : At(current).members) {
            if (!member.IsStructure())
                continue;
            const int nested = StructureIndexOf(member.type);
            if (nested == j)
                return true;
            if (nested < Count() && !visited[size_t(nested)]) {
                visited[size_t(nested)] = true;
                pending.push_back(nested);
            }
        }
    }
    return false;
}

int StructureCollection::FirstReferrer(int index) const
{
    for (int i = 0; i < Count(); ++i) {
        if (i == index)
            continue;
        for (const StructureMember& member : At(i).members)
            if (member.IsStructure() && StructureIndexOf(member.type) == index)
                return i;
    }
    return -1;
}

void RenumberAfterDelete(std::vector<StructureDef>& structures, int removed)
{
    for (StructureDef& structure : structures)
        for (StructureMember& member : structure.members)
            if (member.IsStructure() && StructureIndexOf(member.type) > removed)
                member.type = StructureRef(StructureIndexOf(member.type) - 1);
}
