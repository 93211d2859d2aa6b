#include "StructureWalk.h"

#include <algorithm>

namespace {

class Walker {
public:
    Walker(StructureLayout& layout, const WalkLimits& limits, const std::function<void(const WalkRow&)>& sink)
        : layout_(layout), limits_(limits), sink_(sink)
    {
    }

    void Root(const StructureDef& s)
    {
        std::vector<MemberPlace> places;
        const MemberPlace place = layout_.PlaceStructure(s, 0, &places);
        if (Emit({0, s.name, QString(), StructureTypeText(s), place.start, place.end, false}))
            Members(s, places, 1);
    }

    const WalkOutcome& Outcome() const { return outcome_; }

private:
    bool Emit(const WalkRow& row)
    {
        if (outcome_.rows >= limits_.maxRows) {
            outcome_.rowBudgetHit = true;
            return false;
        }
        ++outcome_.rows;
        sink_(row);
        return true;
    }

    bool Stopped() const { return outcome_.rowBudgetHit; }

    static QString StructureTypeText(const StructureDef& s) { return QStringLiteral("Structure %1").arg(s.name); }

    QString DataTypeName(TypeRef type) const
    {
        return type >= 0 && type < layout_.Types().Count() ? layout_.Types().At(type).Name() : QString();
    }

    QString ArrayName(const StructureDef& owner, const StructureMember& m) const
    {
        if (!m.isVariable)
            return QStringLiteral("%1[%2]").arg(m.name).arg(m.fixedLength);
        const bool linked = m.lengthMember >= 0 && size_t(m.lengthMember) < owner.members.size();
        return QStringLiteral("%1[%2]").arg(m.name, linked ? owner.members[size_t(m.lengthMember)].name : QStringLiteral("?"));
    }

    void Nested(const StructureDef& s, int64_t offset, int depth)
    {
        if (depth > limits_.maxDepth) {
            outcome_.depthLimitHit = true;
            return;
        }
        std::vector<MemberPlace> places;
        layout_.PlaceStructure(s, offset, &places);
        Members(s, places, depth);
    }

    void Members(const StructureDef& s, const std::vector<MemberPlace>& places, int depth)
    {
        for (size_t i = 0; i < s.members.size() && i < places.size() && !Stopped(); ++i) {
            const StructureMember& m = s.members[i];
            if (m.isArray)
                Array(s, m, places[i], depth);
            else
                Single(m, places[i], depth);
        }
    }

    void Single(const StructureMember& m, const MemberPlace& place, int depth)
    {
        if (const StructureDef* nested = layout_.Nested(m)) {
            if (Emit({depth, m.name, nested->name, StructureTypeText(*nested), place.start, place.end, false}))
                Nested(*nested, place.start, depth + 1);
            return;
        }
        const LaidValue value = m.IsStructure() ? LaidValue{} : layout_.Value(m.type, place.start);
        Emit({depth, m.name, value.text, DataTypeName(m.type), place.start, place.end, value.eof});
    }

    void Array(const StructureDef& owner, const StructureMember& m, const MemberPlace& place, int depth)
    {
        const StructureDef* nested = layout_.Nested(m);
        const QString elementType = nested ? nested->name : DataTypeName(m.type);
        // Elements are placed a batch at a time, so a long array never sits in memory whole.
        constexpr int32_t kBatch = 4096;
        const std::vector<MemberPlace> first = layout_.PlaceElements(owner, m, place, 0, std::min(place.count, 1));
        LaidValue value{elementType + QStringLiteral("[]"), false};
        if (StructureLayout::IsCharacterType(m.type))
            value = layout_.CharacterText(m.type, first.empty() ? place.start : first[0].start, place.count);
        if (!Emit({depth, ArrayName(owner, m), value.text, QStringLiteral("Array of %1").arg(elementType), place.start,
                   place.end, value.eof}))
            return;
        for (int32_t from = 0; from < place.count && !Stopped(); from += kBatch) {
            const auto elements = layout_.PlaceElements(owner, m, place, from, std::min(kBatch, place.count - from));
            for (size_t e = 0; e < elements.size() && !Stopped(); ++e)
                Element(m, nested, elementType, from + int32_t(e), elements[e], depth + 1);
        }
    }

    void Element(const StructureMember& m, const StructureDef* nested, const QString& type, int32_t index,
                 const MemberPlace& place, int depth)
    {
        const QString name = QStringLiteral("%1[%2]").arg(m.name).arg(index);
        if (nested) {
            if (Emit({depth, name, nested->name, StructureTypeText(*nested), place.start, place.end, false}))
                Nested(*nested, place.start, depth + 1);
            return;
        }
        const LaidValue value = m.IsStructure() ? LaidValue{} : layout_.Value(m.type, place.start);
        Emit({depth, name, value.text, type, place.start, place.end, value.eof});
    }

    StructureLayout& layout_;
    const WalkLimits& limits_;
    const std::function<void(const WalkRow&)>& sink_;
    WalkOutcome outcome_;
};

} // namespace

WalkOutcome WalkStructure(StructureLayout& layout, const StructureDef& root, const WalkLimits& limits,
                          const std::function<void(const WalkRow&)>& sink)
{
    Walker walker(layout, limits, sink);
    walker.Root(root);
    WalkOutcome outcome = walker.Outcome();
    outcome.stepBudgetHit = layout.BudgetExhausted();
    return outcome;
}
