#include "StructureLayout.h"

#include "inspect/DataViewValues.h"
#include "platform/CodePage.h"
#include "types/StdValueType.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>

namespace {

using Places = std::vector<MemberPlace>;

// Offsets saturate at kUnreached, so that arrays of arrays of arrays never
// overflow and everything beyond reads as past the end of the file.
int64_t Saturate(int64_t value) { return std::min(value, StructureLayout::kUnreached); }

int64_t AddOffset(int64_t offset, int64_t count, int64_t stride)
{
    if (count <= 0 || stride <= 0)
        return Saturate(offset);
    if (stride > (StructureLayout::kUnreached - offset) / count)
        return StructureLayout::kUnreached;
    return offset + count * stride;
}

int64_t RoundUp(int64_t value, int64_t multiple) { return (value + multiple - 1) / multiple * multiple; }

int PackingOf(const StructureDef& s) { return 1 << std::clamp(s.paddingIndex, 0, StructureDef::kPaddingCount - 1); }

} // namespace

int32_t MemoryBytes::Read(int64_t offset, uint8_t* out, int32_t count) const
{
    if (offset < 0 || offset >= bytes_.size() || count <= 0)
        return 0;
    const int32_t n = int32_t(std::min<int64_t>(count, bytes_.size() - offset));
    std::memcpy(out, bytes_.constData() + offset, size_t(n));
    return n;
}

StructureLayout::StructureLayout(const StructureCollection& structures, const ValueTypeRegistry& types,
                                 const StructureBytes& bytes, bool bigEndian, int radix)
    : structures_(structures), types_(types), bytes_(bytes), bigEndian_(bigEndian), radix_(radix),
      fixed_(size_t(structures.Count()), -1), primed_(size_t(structures.Count()), false),
      leafSizes_(size_t(structures.Count()), -1),
      scratch_(size_t(std::min(structures.Count(), kMaxNesting)) + 2)
{
    // Every alignment is the smaller of a packing and a data-type size, so
    // the places of a fixed structure repeat with the least common multiple
    // of those that occur. Only sizes up to the largest packing matter.
    constexpr int kLargestPacking = 1 << (StructureDef::kPaddingCount - 1);
    bool sizes[kLargestPacking + 1] = {};
    bool packings[kLargestPacking + 1] = {};
    for (const StructureDef& s : structures_.All()) {
        packings[PackingOf(s)] = true;
        for (const StructureMember& m : s.members)
            if (const int size = DataSize(m.type); size > 0)
                sizes[std::min(size, kLargestPacking)] = true;
    }
    for (int packing = 1; packing <= kLargestPacking; ++packing)
        for (int size = 1; size <= kLargestPacking; ++size)
            if (packings[packing] && sizes[size])
                modulus_ = std::lcm(modulus_, std::min(packing, size));
}

int StructureLayout::DataSize(TypeRef type) const
{
    if (IsStructureRef(type) || type >= types_.Count())
        return 0;
    return types_.At(type).Size();
}

bool StructureLayout::IsCharacterType(TypeRef type)
{
    return type == TYPE_ASCII_CHARACTER || type == TYPE_UNICODE_CHARACTER;
}

int StructureLayout::Alignment(const StructureDef& s, const StructureMember& m) const
{
    int size = 0;
    if (!m.IsStructure())
        size = DataSize(m.type);
    else if (Nested(m))
        size = FirstLeafSize(StructureIndexOf(m.type));
    return size > 0 ? std::min(PackingOf(s), size) : 0;
}

int StructureLayout::FirstLeafSize(int index) const
{
    // A structure aligns to its first leaf. Every structure on the way to it
    // shares the answer, so a chain of any length is followed once; a chain
    // longer than the collection can only be a cycle.
    std::vector<int> path;
    int size = 0;
    for (int current = index;;) {
        if (leafSizes_[size_t(current)] >= 0) {
            size = leafSizes_[size_t(current)];
            break;
        }
        if (int(path.size()) > structures_.Count())
            break;
        path.push_back(current);
        const StructureDef& s = structures_.At(current);
        if (s.members.empty())
            break;
        const StructureMember& first = s.members.front();
        if (!first.IsStructure()) {
            size = DataSize(first.type);
            break;
        }
        if (!Nested(first))
            break;
        current = StructureIndexOf(first.type);
    }
    for (const int on : path)
        leafSizes_[size_t(on)] = size;
    return size;
}

int StructureLayout::ComputePadding(const StructureDef& s, int64_t offset, const StructureMember& m) const
{
    const int alignment = Alignment(s, m);
    if (alignment <= 1)
        return 0;
    const int64_t rest = offset % alignment;
    return rest == 0 ? 0 : int(alignment - rest);
}

// ---------------------------------------------------------------- structures

MemberPlace StructureLayout::PlaceStructure(const StructureDef& s, int64_t offset, Places* members)
{
    return PlaceAt(s, offset, members, 0);
}

MemberPlace StructureLayout::PlaceAt(const StructureDef& s, int64_t offset, Places* members, int depth)
{
    if (depth > structures_.Count()) {
        if (members)
            members->clear();
        return {offset, offset, 1};
    }
    // Fixed structures are placed from their cache whatever their depth;
    // only structures whose size the bytes decide nest this deep here, and
    // what lies beyond reads as past the end rather than exhausting the stack.
    if (depth > kMaxNesting) {
        if (members)
            members->clear();
        return {offset, kUnreached, 1};
    }
    // Each level of nesting reuses its own list, so walking many instances
    // allocates nothing.
    Places& places = members ? *members : scratch_[size_t(depth)];
    places.clear();
    if (!s.members.empty())
        offset = Saturate(offset + ComputePadding(s, offset, s.members.front()));
    const int64_t start = offset;
    places.reserve(s.members.size());
    for (size_t i = 0; i < s.members.size(); ++i) {
        const StructureMember& m = s.members[i];
        MemberPlace place;
        if (++steps_ > kStepBudget || offset >= kUnreached) {
            place = {kUnreached, kUnreached, m.isArray ? 0 : 1};
        } else if (m.isArray) {
            place = PlaceArray(s, i, offset, places, depth);
        } else if (m.IsStructure()) {
            place = PlaceNested(m, offset, depth);
        } else {
            offset = Saturate(offset + ComputePadding(s, offset, m));
            place = {offset, Saturate(offset + DataSize(m.type)), 1};
        }
        places.push_back(place);
        offset = place.end;
    }
    return {start, offset, 1};
}

MemberPlace StructureLayout::PlaceNested(const StructureMember& m, int64_t offset, int depth)
{
    const StructureDef* nested = Nested(m);
    if (!nested)
        return {offset, offset, 1};
    const int index = StructureIndexOf(m.type);
    if (IsFixed(index))
        return PlaceFixed(index, offset, depth + 1);
    return PlaceAt(*nested, offset, nullptr, depth + 1);
}

bool StructureLayout::IsFixed(int index)
{
    if (index < 0 || size_t(index) >= fixed_.size())
        return true;
    if (fixed_[size_t(index)] < 0)
        FindFixed(index);
    return fixed_[size_t(index)] == 1;
}

void StructureLayout::FindFixed(int index)
{
    // A structure is fixed when it holds no variable array and every
    // structure it holds is fixed: decided for each structure once, in a
    // depth-first walk with its own stack, so neither deep nesting nor
    // structures shared by many others (each holding the next twice) cost
    // more than the collection's size. A structure met again on its own path
    // (a cycle) counts as fixed: the walk cuts it off.
    constexpr signed char kOnPath = -2;
    struct Step {
        int structure;
        size_t member;
        bool fixed;
    };
    std::vector<Step> path{{index, 0, true}};
    fixed_[size_t(index)] = kOnPath;
    while (!path.empty()) {
        Step& step = path.back();
        const std::vector<StructureMember>& members = structures_.At(step.structure).members;
        if (step.member == members.size()) {
            const bool fixed = step.fixed;
            fixed_[size_t(step.structure)] = fixed ? 1 : 0;
            path.pop_back();
            if (!path.empty())
                path.back().fixed = path.back().fixed && fixed;
            continue;
        }
        const StructureMember& m = members[step.member++];
        if (m.IsVariableArray()) {
            step.fixed = false;
            continue;
        }
        if (!m.IsStructure() || !Nested(m))
            continue;
        const int nested = StructureIndexOf(m.type);
        const signed char known = fixed_[size_t(nested)];
        if (known == kOnPath)
            continue;
        if (known >= 0) {
            step.fixed = step.fixed && known == 1;
            continue;
        }
        fixed_[size_t(nested)] = kOnPath;
        path.push_back({nested, 0, true});
    }
}

void StructureLayout::PrimeFixed(int index, int depth)
{
    // Every fixed structure below index is placed at every residue before
    // the structures holding it, children first, so that placing any of them
    // finds its members' places in the cache and never nests further.
    struct Step {
        int structure;
        size_t member;
    };
    std::vector<Step> path{{index, 0}};
    primed_[size_t(index)] = true;
    while (!path.empty() && !BudgetExhausted()) {
        Step& step = path.back();
        const std::vector<StructureMember>& members = structures_.At(step.structure).members;
        if (step.member < members.size()) {
            const StructureMember& m = members[step.member++];
            if (m.IsStructure() && Nested(m)) {
                const int nested = StructureIndexOf(m.type);
                if (!primed_[size_t(nested)] && IsFixed(nested)) {
                    primed_[size_t(nested)] = true;
                    path.push_back({nested, 0});
                }
            }
            continue;
        }
        const int structure = step.structure;
        path.pop_back();
        for (int residue = 0; residue < modulus_ && !BudgetExhausted(); ++residue)
            CacheFixed(structure, residue, depth);
    }
}

MemberPlace StructureLayout::CacheFixed(int index, int64_t offset, int depth)
{
    const MemberPlace place = PlaceAt(structures_.At(index), offset, nullptr, depth);
    // Only a walk that got to the end knows the size; one cut short by the
    // budget or by the end of the offsets is not remembered. From a residue
    // the offsets are small, so there an end at kUnreached is the size itself
    // reaching past any file, and worth remembering like any other.
    if (!BudgetExhausted() && depth <= kMaxNesting && (place.end < kUnreached || offset < modulus_))
        fixedPlaces_[FixedKey(index, offset)] = {place.start - offset, place.end - place.start};
    return place;
}

int64_t StructureLayout::FixedKey(int index, int64_t offset) const { return int64_t(index) * modulus_ + offset % modulus_; }

MemberPlace StructureLayout::PlaceFixed(int index, int64_t offset, int depth)
{
    if (!primed_[size_t(index)])
        PrimeFixed(index, depth);
    if (const auto found = fixedPlaces_.find(FixedKey(index, offset)); found != fixedPlaces_.end()) {
        const int64_t start = Saturate(offset + found->second.lead);
        return {start, Saturate(start + found->second.size), 1};
    }
    return CacheFixed(index, offset, depth);
}

// ---------------------------------------------------------------- arrays

int32_t StructureLayout::ElementCount(const StructureDef& s, size_t index, const Places& earlier) const
{
    const StructureMember& m = s.members[index];
    if (!m.isArray)
        return 1;
    if (!m.isVariable)
        return std::clamp(m.fixedLength, 0, StructureMember::kMaxFixedLength);
    return VariableCount(s, index, earlier);
}

int32_t StructureLayout::VariableCount(const StructureDef& s, size_t index, const Places& earlier) const
{
    const int32_t lengthIndex = s.members[index].lengthMember;
    // Only an earlier, scalar data-type member can hold a count.
    if (lengthIndex < 0 || size_t(lengthIndex) >= index || size_t(lengthIndex) >= earlier.size())
        return 0;
    const StructureMember& length = s.members[size_t(lengthIndex)];
    const int size = DataSize(length.type);
    if (length.isArray || size <= 0 || !types_.At(length.type).HasIntegerValue())
        return 0;
    // Counts are small integers; only a custom type may need the heap.
    uint8_t small[16];
    std::vector<uint8_t> large;
    uint8_t* bytes = small;
    if (size > int(sizeof small)) {
        large.resize(size_t(size));
        bytes = large.data();
    }
    const int64_t at = earlier[size_t(lengthIndex)].start;
    if (at >= kUnreached || bytes_.Read(at, bytes, size) < size)
        return 1;
    const uint32_t value = types_.At(length.type).IntegerValue(bytes, bigEndian_);
    const int64_t count = value > uint32_t(std::numeric_limits<int32_t>::max()) ? std::numeric_limits<int32_t>::max()
                                                                                 : int64_t(value);
    return int32_t(std::min<int64_t>(count, MAX_VARIABLE_ELEMENTS));
}

MemberPlace StructureLayout::PlaceArray(const StructureDef& s, size_t index, int64_t offset, const Places& earlier,
                                        int depth)
{
    MemberPlace array{offset, offset, ElementCount(s, index, earlier)};
    if (array.count > 0)
        array.end = ElementEnd(s, s.members[index], array, depth);
    return array;
}

int64_t StructureLayout::ElementEnd(const StructureDef& owner, const StructureMember& m, const MemberPlace& array,
                                    int depth)
{
    if (!m.IsStructure()) {
        const int size = DataSize(m.type);
        if (size <= 0)
            return array.start;
        const int alignment = std::max(1, Alignment(owner, m));
        const int64_t first = Saturate(array.start + ComputePadding(owner, array.start, m));
        const int64_t last = AddOffset(first, array.count - 1, RoundUp(size, alignment));
        return Saturate(last + size);
    }
    const StructureDef* nested = Nested(m);
    if (!nested)
        return array.start;
    const int index = StructureIndexOf(m.type);
    if (IsFixed(index))
        return AdvanceFixed(index, array.start, array.count, depth + 1);
    int64_t offset = array.start;
    for (int32_t i = 0; i < array.count && offset < kUnreached; ++i)
        offset = PlaceAt(*nested, offset, nullptr, depth + 1).end;
    return offset;
}

int64_t StructureLayout::AdvanceFixed(int index, int64_t offset, int32_t count, int depth)
{
    // Each element starts where the one before ended, and its place depends
    // only on that offset modulo the modulus: once a residue comes round
    // again, the elements repeat with a fixed period and stride.
    std::vector<std::pair<int32_t, int64_t>> seen(size_t(modulus_), {-1, 0});
    for (int32_t i = 0; i < count; ++i) {
        if (offset >= kUnreached)
            return kUnreached;
        auto& [when, where] = seen[size_t(offset % modulus_)];
        if (when >= 0) {
            const int32_t period = i - when;
            const int64_t periods = (count - i) / period;
            offset = AddOffset(offset, periods, offset - where);
            i += int32_t(periods * period);
            std::fill(seen.begin(), seen.end(), std::pair<int32_t, int64_t>{-1, 0});
            if (i >= count)
                break;
        }
        seen[size_t(offset % modulus_)] = {i, offset};
        offset = PlaceFixed(index, offset, depth).end;
    }
    return offset;
}

std::vector<MemberPlace> StructureLayout::PlaceElements(const StructureDef& owner, const StructureMember& m,
                                                        const MemberPlace& array, int32_t first, int32_t count)
{
    std::vector<MemberPlace> places;
    count = std::clamp(count, 0, std::max(0, array.count - first));
    if (count == 0 || first < 0)
        return places;
    places.reserve(size_t(count));
    if (!m.IsStructure()) {
        const int size = DataSize(m.type);
        const int alignment = std::max(1, Alignment(owner, m));
        const int64_t stride = RoundUp(std::max(size, 1), alignment);
        const int64_t start = Saturate(array.start + ComputePadding(owner, array.start, m));
        for (int32_t i = first; i < first + count; ++i) {
            const int64_t at = AddOffset(start, i, stride);
            places.push_back({at, Saturate(at + size), 1});
        }
        return places;
    }
    const StructureDef* nested = Nested(m);
    if (!nested)
        return std::vector<MemberPlace>(size_t(count), MemberPlace{array.start, array.start, 1});
    const int index = StructureIndexOf(m.type);
    const bool fixed = IsFixed(index);
    int64_t offset = array.start;
    if (fixed) {
        offset = AdvanceFixed(index, offset, first, 0);
    } else {
        for (int32_t i = 0; i < first && offset < kUnreached; ++i)
            offset = PlaceAt(*nested, offset, nullptr, 1).end;
    }
    for (int32_t i = 0; i < count; ++i) {
        const MemberPlace place = offset >= kUnreached ? MemberPlace{kUnreached, kUnreached, 1}
                                  : fixed              ? PlaceFixed(index, offset, 1)
                                                       : PlaceAt(*nested, offset, nullptr, 1);
        places.push_back(place);
        offset = place.end;
    }
    return places;
}

// ---------------------------------------------------------------- values

LaidValue StructureLayout::Value(int typeIndex, int64_t offset) const
{
    const int size = DataSize(typeIndex);
    if (size <= 0 || offset >= kUnreached || bytes_.Length() - offset < size)
        return {kEofValueText.toString(), true};
    std::vector<uint8_t> bytes(size_t(size), 0);
    if (bytes_.Read(offset, bytes.data(), size) < size)
        return {kEofValueText.toString(), true};
    return {types_.At(typeIndex).Format(bytes.data(), bigEndian_, radix_), false};
}

LaidValue StructureLayout::CharacterText(int typeIndex, int64_t offset, int32_t count) const
{
    const int unit = typeIndex == TYPE_UNICODE_CHARACTER ? 2 : 1;
    const int64_t available = offset >= kUnreached ? 0 : std::max<int64_t>(0, bytes_.Length() - offset);
    if (available < unit)
        return {kEofValueText.toString(), true};
    const int32_t characters = int32_t(std::min<int64_t>(std::max(count, 0), available / unit));
    QByteArray bytes(characters * unit, '\0');
    bytes.resize(bytes_.Read(offset, reinterpret_cast<uint8_t*>(bytes.data()), int32_t(bytes.size())));
    if (unit == 1) {
        const qsizetype zero = bytes.indexOf('\0');
        return {platform::FromCodePage(bytes.constData(), zero < 0 ? bytes.size() : zero), false};
    }
    QString text;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = uint8_t(bytes[i]), high = uint8_t(bytes[i + 1]);
        const char16_t unitValue = bigEndian_ ? char16_t(low << 8 | high) : char16_t(high << 8 | low);
        if (unitValue == 0)
            break;
        text.append(QChar(unitValue));
    }
    return {text, false};
}

// ---------------------------------------------------------------- whole tree

namespace {

LaidRow LayOutAt(StructureLayout& layout, const StructureDef& s, int64_t offset, int32_t maxElements, int depth)
{
    Places places;
    const MemberPlace place = layout.PlaceStructure(s, offset, &places);
    LaidRow row{nullptr, -1, place.start, place.end, {}, {}};
    if (depth > layout.Structures().Count() || depth >= StructureLayout::kMaxNesting)
        return row;
    for (size_t i = 0; i < s.members.size() && i < places.size(); ++i) {
        const StructureMember& m = s.members[i];
        LaidRow child{&m, -1, places[i].start, places[i].end, {}, {}};
        const StructureDef* nested = layout.Nested(m);
        if (m.isArray) {
            const auto elements = layout.PlaceElements(s, m, places[i], 0, std::min(places[i].count, maxElements));
            if (StructureLayout::IsCharacterType(m.type))
                child.value = layout.CharacterText(m.type, elements.empty() ? places[i].start : elements[0].start,
                                                   places[i].count);
            for (size_t e = 0; e < elements.size(); ++e) {
                LaidRow element{&m, int32_t(e), elements[e].start, elements[e].end, {}, {}};
                if (nested)
                    element.children = LayOutAt(layout, *nested, elements[e].start, maxElements, depth + 1).children;
                else if (!m.IsStructure())
                    element.value = layout.Value(m.type, elements[e].start);
                child.children.push_back(std::move(element));
            }
        } else if (nested) {
            child.children = LayOutAt(layout, *nested, places[i].start, maxElements, depth + 1).children;
        } else if (!m.IsStructure()) {
            child.value = layout.Value(m.type, places[i].start);
        }
        row.children.push_back(std::move(child));
    }
    return row;
}

} // namespace

LaidRow LayOutStructure(StructureLayout& layout, const StructureDef& s, int64_t offset, int32_t maxElements)
{
    return LayOutAt(layout, s, offset, maxElements, 0);
}
