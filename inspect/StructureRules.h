#pragma once
// The rules the structure editor and the import keep, apart from any window:
// proposed names, valid variable-length links, member deletion and moves
// that keep the links right, the choices the editor offers, and merging
// structures from another collection.
#include "inspect/StructureCollection.h"

#include <QString>

#include <set>
#include <vector>

class ValueTypeRegistry;

// "[Structure%03d]" with the lowest number from 1 not yet used as a name.
QString ProposedStructureName(const StructureCollection& collection);
// "[Member%03d]" with the lowest number from 1 not used by a member of
// structure, compared without regard to case.
QString ProposedMemberName(const StructureDef& structure);

// Whether the variable array at arrayMember may take its count from its
// length member: an earlier member, not a structure, not an array, of a data
// type with an integer value.
bool IsValidLengthLink(const StructureDef& structure, int arrayMember, const ValueTypeRegistry& types);
// Clears the link of every variable array after fromMember whose link is no
// longer valid (variable off, length member 0). True when any was cleared.
bool ClearBrokenLinks(StructureDef& structure, int fromMember, const ValueTypeRegistry& types);

enum class MemberNameProblem { None, Empty, Duplicate };
// trimmedName as the member at index would be named: empty, or used by
// another member without regard to case.
MemberNameProblem CheckMemberName(const StructureDef& structure, int member, const QString& trimmedName);

// The first later variable array whose count member is member, or -1.
int MemberUsedAsLengthBy(const StructureDef& structure, int member);
// Removes member and lowers every length-member index above it by one.
void DeleteMember(StructureDef& structure, int member);
// Swaps member with its neighbour above (up) or below, switches the length
// indexes that named either position, and re-tests the link of the member
// now at the lower position. True when that link was cleared (the warning is due).
bool MoveMember(StructureDef& structure, int member, bool up, const ValueTypeRegistry& types);

// An entry of the editor's "Data type" list.
struct TypeChoice {
    QString text;  // "Word (2 bytes)", "Structure Header"
    TypeRef type;
};
// Every registry entry, hidden ones included, then every structure that does
// not contain the edited one (editedIndex -1: a new structure, all are offered).
std::vector<TypeChoice> DataTypeChoices(const StructureCollection& collection, int editedIndex,
                                        const ValueTypeRegistry& types);

// An entry of the editor's "Variable-length member" list.
struct LengthChoice {
    QString name;
    int member;
};
// The members before member that can give an array's count.
std::vector<LengthChoice> LengthMemberChoices(const StructureDef& structure, int member,
                                              const ValueTypeRegistry& types);

struct ImportOutcome {
    bool merged = false;
    bool closureAdded = false;  // structures were added because ticked ones contain them
    bool renamed = false;       // names were changed to "%s_%d"
    QString message;            // the information to show; empty when there is none
};
// Merges the ticked structures of imported (indexes into it), and every
// structure they contain, into current: renamed where a name is taken,
// references renumbered, appended in file order.
ImportOutcome ImportStructures(StructureCollection& current, StructureCollection imported,
                               const std::set<int>& ticked);

// The warning shown once when a change broke variable-length links.
QString BrokenLinkWarningText();
