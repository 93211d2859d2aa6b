#include "StructureRules.h"

#include "types/ValueTypeRegistry.h"

#include <QStringList>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace {

bool MemberNameTaken(const StructureDef& structure, int except, const QString& name)
{
    for (int i = 0; i < int(structure.members.size()); ++i)
        if (i != except && structure.members[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Whether member can hold another member's element count.
bool GivesCount(const StructureMember& member, const ValueTypeRegistry& types)
{
    return !member.IsStructure() && !member.isArray && member.type < types.Count() &&
           types.At(member.type).HasIntegerValue();
}

// Hands out "%s_%d" names with the lowest number from 2 that is not taken.
// Names are only ever added to the taken set, so the lowest free number for
// a base never goes down: each base resumes where it stopped, and renaming
// many structures costs no more than the names it passes over.
class ImportNames {
public:
    explicit ImportNames(std::unordered_set<QString> taken) : taken_(std::move(taken)) {}

    bool IsTaken(const QString& name) const { return taken_.count(name) != 0; }
    void Take(const QString& name) { taken_.insert(name); }

    QString FreeName(const QString& base)
    {
        int& n = nextNumber_.try_emplace(base, 2).first->second;
        for (;; ++n) {
            QString name = QStringLiteral("%1_%2").arg(base).arg(n);
            if (!IsTaken(name))
                return name;
        }
    }

private:
    std::unordered_set<QString> taken_;
    std::unordered_map<QString, int> nextNumber_;
};

// Ticks every structure that a ticked one contains, directly or through
// others, in one walk over the members. True when that added any.
bool TickContained(const StructureCollection& imported, std::vector<bool>& ticked)
{
    bool added = false;
    std::vector<int> pending;
    for (int i = 0; i < imported.Count(); ++i)
        if (ticked[size_t(i)])
            pending.push_back(i);
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        for (const StructureMember& member : imported.At(current).members) {
            const int nested = member.IsStructure() ? StructureIndexOf(member.type) : -1;
            if (nested >= 0 && nested < imported.Count() && !ticked[size_t(nested)]) {
                ticked[size_t(nested)] = true;
                pending.push_back(nested);
                added = true;
            }
        }
    }
    return added;
}

QString JoinedImportMessage(bool closureAdded, bool renamed)
{
    QStringList parts;
    if (closureAdded)
        parts << QStringLiteral("Additional structures were imported because they were referenced by selected "
                                "structures.");
    if (renamed)
        parts << QStringLiteral("One or more imported structures were renamed to avoid conflict with existing "
                                "structures.");
    return parts.join(QStringLiteral("\r\n\r\n"));
}

} // namespace

QString ProposedStructureName(const StructureCollection& collection)
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("[Structure%1]").arg(n, 3, 10, QLatin1Char('0'));
        if (collection.FindByName(name) < 0)
            return name;
    }
}

QString ProposedMemberName(const StructureDef& structure)
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("[Member%1]").arg(n, 3, 10, QLatin1Char('0'));
        if (!MemberNameTaken(structure, -1, name))
            return name;
    }
}

bool IsValidLengthLink(const StructureDef& structure, int arrayMember, const ValueTypeRegistry& types)
{
    if (arrayMember < 0 || arrayMember >= int(structure.members.size()))
        return false;
    const int32_t length = structure.members[size_t(arrayMember)].lengthMember;
    return length >= 0 && length < arrayMember && GivesCount(structure.members[size_t(length)], types);
}

bool ClearBrokenLinks(StructureDef& structure, int fromMember, const ValueTypeRegistry& types)
{
    bool cleared = false;
    for (int i = std::max(fromMember + 1, 0); i < int(structure.members.size()); ++i) {
        StructureMember& member = structure.members[size_t(i)];
        if (member.IsVariableArray() && !IsValidLengthLink(structure, i, types)) {
            member.isVariable = false;
            member.lengthMember = 0;
            cleared = true;
        }
    }
    return cleared;
}

MemberNameProblem CheckMemberName(const StructureDef& structure, int member, const QString& trimmedName)
{
    if (trimmedName.isEmpty())
        return MemberNameProblem::Empty;
    return MemberNameTaken(structure, member, trimmedName) ? MemberNameProblem::Duplicate : MemberNameProblem::None;
}

int MemberUsedAsLengthBy(const StructureDef& structure, int member)
{
    for (int i = member + 1; i < int(structure.members.size()); ++i) {
        const StructureMember& later = structure.members[size_t(i)];
        if (later.IsVariableArray() && later.lengthMember == member)
            return i;
    }
    return -1;
}

void DeleteMember(StructureDef& structure, int member)
{
    if (member < 0 || member >= int(structure.members.size()))
        return;
    for (StructureMember& other : structure.members)
        if (other.lengthMember > member)
            --other.lengthMember;
    structure.members.erase(structure.members.begin() + member);
}

bool MoveMember(StructureDef& structure, int member, bool up, const ValueTypeRegistry& types)
{
    const int other = up ? member - 1 : member + 1;
    const int count = int(structure.members.size());
    if (member < 0 || member >= count || other < 0 || other >= count)
        return false;
    std::swap(structure.members[size_t(member)], structure.members[size_t(other)]);
    // Links follow the members they named to their new places.
    for (StructureMember& m : structure.members) {
        if (!m.IsVariableArray())
            continue;
        if (m.lengthMember == member)
            m.lengthMember = other;
        else if (m.lengthMember == other)
            m.lengthMember = member;
    }
    // Only the member that is now the earlier of the two can have lost its
    // link: its count member may now come after it.
    const int earlier = std::min(member, other);
    StructureMember& moved = structure.members[size_t(earlier)];
    if (!moved.IsVariableArray() || IsValidLengthLink(structure, earlier, types))
        return false;
    moved.isVariable = false;
    moved.lengthMember = 0;
    return true;
}

std::vector<TypeChoice> DataTypeChoices(const StructureCollection& collection, int editedIndex,
                                        const ValueTypeRegistry& types)
{
    std::vector<TypeChoice> choices;
    for (int i = 0; i < types.Count(); ++i)
        choices.push_back({QStringLiteral("%1 (%2)").arg(types.At(i).Name(), ByteCountText(types.At(i).Size())), i});
    // A structure that contains the edited one cannot become one of its
    // members: that would make it contain itself.
    for (int i = 0; i < collection.Count(); ++i) {
        if (editedIndex >= 0 && (i == editedIndex || collection.References(i, editedIndex)))
            continue;
        choices.push_back({QStringLiteral("Structure %1").arg(collection.At(i).name), StructureRef(i)});
    }
    return choices;
}

std::vector<LengthChoice> LengthMemberChoices(const StructureDef& structure, int member,
                                              const ValueTypeRegistry& types)
{
    std::vector<LengthChoice> choices;
    const int end = std::min(member, int(structure.members.size()));
    for (int i = 0; i < end; ++i)
        if (GivesCount(structure.members[size_t(i)], types))
            choices.push_back({structure.members[size_t(i)].name, i});
    return choices;
}

ImportOutcome ImportStructures(StructureCollection& current, StructureCollection imported,
                               const std::set<int>& ticked)
{
    ImportOutcome outcome;
    std::vector<bool> chosen(size_t(imported.Count()), false);
    bool any = false;
    for (const int i : ticked) {
        if (i >= 0 && i < imported.Count()) {
            chosen[size_t(i)] = true;
            any = true;
        }
    }
    if (!any)
        return outcome;
    outcome.closureAdded = TickContained(imported, chosen);

    // Dropping the unticked structures one by one would renumber every
    // reference once per deletion; instead each kept structure's place in
    // the merged collection is worked out once, and references are mapped
    // through that. Nothing kept refers to a dropped structure: the closure
    // ticked everything the kept ones contain.
    const int offset = current.Count();
    std::vector<int> mergedIndex(size_t(imported.Count()), -1);
    std::vector<StructureDef> merged;
    for (int i = 0; i < imported.Count(); ++i) {
        if (chosen[size_t(i)]) {
            mergedIndex[size_t(i)] = offset + int(merged.size());
            merged.push_back(imported.At(i));
        }
    }

    // A new name must differ from the current collection's names and from
    // those of the other structures coming in, or the merge would hold two
    // structures of one name. Renaming goes from the last to the first.
    std::unordered_set<QString> currentNames;
    currentNames.reserve(size_t(current.Count()));
    for (const StructureDef& s : current.All())
        currentNames.insert(s.name);
    std::unordered_set<QString> taken = currentNames;
    for (const StructureDef& s : merged)
        taken.insert(s.name);
    ImportNames names(std::move(taken));
    for (auto it = merged.rbegin(); it != merged.rend(); ++it) {
        if (!currentNames.count(it->name))
            continue;
        it->name = names.FreeName(it->name);
        names.Take(it->name);
        outcome.renamed = true;
    }

    for (StructureDef& structure : merged) {
        for (StructureMember& member : structure.members)
            if (member.IsStructure())
                member.type = StructureRef(mergedIndex[size_t(StructureIndexOf(member.type))]);
        current.Add(std::move(structure));
    }
    outcome.merged = true;
    outcome.message = JoinedImportMessage(outcome.closureAdded, outcome.renamed);
    return outcome;
}

QString BrokenLinkWarningText()
{
    return QStringLiteral(
        "WARNING: Changes you have just made have broken the link between a variable-length-array member and a "
        "member used to specify the length of that array.\r\n\r\nIn order to maintain this link, the member used "
        "to specify the length of the array must be an integer data type, must not be an array itself, and must "
        "come before the array member.\r\n\r\nYou will need to re-established this link if that is your intent.");
}
