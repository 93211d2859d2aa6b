#include "StructureRules.h"

#include "inspect/ValueTypeRegistry.h"

#include <QStringList>

#include <algorithm>
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

// "%s_%d" with the lowest number from 2 that neither collection uses.
QString FreeImportName(const QString& base, const StructureCollection& current, const std::set<QString>& incoming)
{
    for (int n = 2;; ++n) {
        const QString name = QStringLiteral("%1_%2").arg(base).arg(n);
        if (current.FindByName(name) < 0 && !incoming.count(name))
            return name;
    }
}

// Ticks every structure that a ticked one contains, directly or through
// others, in one walk over the members. True when that added any.
bool TickContained(const StructureCollection& imported, std::set<int>& ticked)
{
    bool added = false;
    std::vector<int> pending(ticked.begin(), ticked.end());
    while (!pending.empty()) {
        const int current = pending.back();
        pending.pop_back();
        for (const StructureMember& member : imported.At(current).members) {
            const int nested = member.IsStructure() ? StructureIndexOf(member.type) : -1;
            if (nested >= 0 && nested < imported.Count() && ticked.insert(nested).second) {
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
    std::set<int> chosen;
    for (const int i : ticked)
        if (i >= 0 && i < imported.Count())
            chosen.insert(i);
    if (chosen.empty())
        return outcome;
    outcome.closureAdded = TickContained(imported, chosen);

    // From the last to the first, so deleting one leaves the indexes of
    // those still to be visited as they were.
    for (int i = imported.Count() - 1; i >= 0; --i)
        if (!chosen.count(i))
            imported.Delete(i);

    // A new name must differ from the current collection's names and from
    // those of the other structures coming in, or the merge would hold two
    // structures of one name.
    std::set<QString> incoming;
    for (const StructureDef& s : imported.All())
        incoming.insert(s.name);
    std::vector<StructureDef> merged = imported.All();
    for (auto it = merged.rbegin(); it != merged.rend(); ++it) {
        if (current.FindByName(it->name) < 0)
            continue;
        it->name = FreeImportName(it->name, current, incoming);
        incoming.insert(it->name);
        outcome.renamed = true;
    }

    const int offset = current.Count();
    for (StructureDef& structure : merged) {
        for (StructureMember& member : structure.members)
            if (member.IsStructure())
                member.type = StructureRef(StructureIndexOf(member.type) + offset);
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
