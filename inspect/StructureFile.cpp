#include "StructureFile.h"

#include "inspect/StructureRules.h"
#include "types/ValueTypeRegistry.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"
#include "platform/FileReader.h"
#include "platform/MessageBox.h"
#include "types/StdValueType.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr char kMagic[4] = {'s', 't', 'r', 't'};
constexpr int32_t kVersion = 1;

enum TypeKind : int32_t { kStandardKind = 0, kCustomKind = 1, kStructureKind = 2 };

// The fewest bytes a record can take: a structure is an empty name, its
// padding and a member count; a member is an empty name, kind and value, the
// two flags and the two lengths. A count is only believed when the rest of
// the file could hold that many records.
constexpr int64_t kMinStructureRecord = 4 + 4 + 4;
constexpr int64_t kMinMemberRecord = 4 + 4 + 4 + 1 + 4 + 1 + 4;
// Counts are checked against the file size before anything is reserved;
// a source of unknown size gets its room as records arrive.
constexpr int32_t kMostReserved = 64 * 1024;

// ---------------------------------------------------------------- writing

void AppendInt32(QByteArray& out, int32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void AppendString(QByteArray& out, const QString& text)
{
    AppendInt32(out, int32_t(text.size()));
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        out.append(char(unit & 0xFF));
        out.append(char(unit >> 8));
    }
}

void AppendMemberType(QByteArray& out, TypeRef type, const ValueTypeRegistry& types)
{
    if (IsStructureRef(type)) {
        AppendInt32(out, kStructureKind);
        AppendInt32(out, type);
    } else if (type >= STD_VALUE_TYPE_COUNT && type < types.Count()) {
        // Custom types go by size and name: their registry position depends
        // on which modules happen to be installed.
        AppendInt32(out, kCustomKind);
        AppendInt32(out, types.At(type).Size());
        AppendString(out, types.At(type).Name());
    } else {
        // A custom type whose module is gone is written as what reading it
        // back would give: "Byte".
        AppendInt32(out, kStandardKind);
        AppendInt32(out, type < STD_VALUE_TYPE_COUNT ? type : TYPE_BYTE);
    }
}

// ---------------------------------------------------------------- reading

// Thrown out of the record readers to end decoding with a status; it never
// leaves this file.
struct ReadFailure {
    StructureReadStatus status;
    int errorNumber = 0;
};

// Where the bytes come from: a file read a block at a time, so that no file
// is ever held whole, or bytes already in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Copies up to count bytes into out: how many, 0 at the end; failures throw.
    virtual int64_t Read(char* out, int64_t count) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(const QByteArray& bytes) : bytes_(bytes) {}
    int64_t Read(char* out, int64_t count) override
    {
        const int64_t n = std::min<int64_t>(count, bytes_.size() - position_);
        std::memcpy(out, bytes_.constData() + position_, size_t(n));
        position_ += n;
        return n;
    }

private:
    const QByteArray& bytes_;
    int64_t position_ = 0;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(platform::FileReader& reader) : reader_(reader) {}
    int64_t Read(char* out, int64_t count) override
    {
        const int64_t n = reader_.Read(out, count);
        if (n < 0)
            throw ReadFailure{StructureReadStatus::FileError, reader_.Error()};
        return n;
    }

private:
    platform::FileReader& reader_;
};

// Reads fields in order through a block buffer; a read that would pass the
// end fails. size is what the source holds as far as known beforehand:
// counts and lengths are only believed when the rest could hold them.
class FieldReader {
public:
    static constexpr int64_t kUnknownSize = std::numeric_limits<int64_t>::max();

    FieldReader(ByteSource& source, int64_t size) : source_(source), size_(size), block_(size_t(kBlockSize), '\0') {}

    int64_t Remaining() const { return size_ - position_; }

    bool Int32(int32_t& value)
    {
        char bytes[4];
        if (!Take(bytes, 4))
            return false;
        value = qFromLittleEndian<int32_t>(bytes);
        return true;
    }
    // Whether the bytes start with the magic; a file shorter than it is
    // simply not a structure collection.
    bool Magic()
    {
        char bytes[4];
        return Take(bytes, 4) && std::memcmp(bytes, kMagic, 4) == 0;
    }
    bool Byte(uint8_t& value)
    {
        char byte;
        if (!Take(&byte, 1))
            return false;
        value = uint8_t(byte);
        return true;
    }
    // Reads units code units, or fails when the source ends first.
    bool Units(int32_t units, QString& text)
    {
        text = QString(units, Qt::Uninitialized);
        if (!Take(reinterpret_cast<char*>(text.data()), int64_t(units) * 2))
            return false;
        qFromLittleEndian<char16_t>(text.constData(), units, text.data());
        return true;
    }
    // Whether nothing follows what has been read.
    bool AtEnd()
    {
        if (held_ > used_)
            return false;
        Refill();
        return held_ == 0;
    }

private:
    static constexpr int64_t kBlockSize = 64 * 1024;

    void Refill()
    {
        used_ = 0;
        held_ = source_.Read(block_.data(), kBlockSize);
    }

    bool Take(char* out, int64_t count)
    {
        while (count > 0) {
            if (used_ == held_) {
                Refill();
                if (held_ == 0)
                    return false;
            }
            const int64_t n = std::min(count, held_ - used_);
            std::memcpy(out, block_.data() + used_, size_t(n));
            used_ += n;
            position_ += n;
            out += n;
            count -= n;
        }
        return true;
    }

    ByteSource& source_;
    int64_t size_;
    int64_t position_ = 0;
    std::vector<char> block_;
    int64_t used_ = 0;
    int64_t held_ = 0;
};

[[noreturn]] void Fail(StructureReadStatus status) { throw ReadFailure{status, 0}; }

int32_t ReadInt32(FieldReader& in)
{
    int32_t value = 0;
    if (!in.Int32(value))
        Fail(StructureReadStatus::ShortRead);
    return value;
}

bool ReadFlag(FieldReader& in)
{
    uint8_t value = 0;
    if (!in.Byte(value))
        Fail(StructureReadStatus::ShortRead);
    if (value > 1)
        Fail(StructureReadStatus::Corrupt);
    return value == 1;
}

// A count of records, each at least minRecord bytes long, that the rest of
// the file must be able to hold.
int32_t ReadCount(FieldReader& in, int64_t minRecord)
{
    const int32_t count = ReadInt32(in);
    if (count < 0 || int64_t(count) * minRecord > in.Remaining())
        Fail(StructureReadStatus::Corrupt);
    return count;
}

QString ReadString(FieldReader& in)
{
    const int32_t units = ReadInt32(in);
    // A length beyond the rest of the file (an odd byte left over included)
    // is damage, not a file that merely ends early: nothing is allocated for it.
    if (units < 0 || int64_t(units) * 2 > in.Remaining())
        Fail(StructureReadStatus::Corrupt);
    QString text;
    if (!in.Units(units, text))
        Fail(StructureReadStatus::ShortRead);
    return text;
}

TypeRef ReadMemberType(FieldReader& in, const ValueTypeRegistry& types)
{
    const int32_t kind = ReadInt32(in);
    const int32_t value = ReadInt32(in);
    switch (kind) {
    case kStandardKind:
        if (value < 0 || value >= STD_VALUE_TYPE_COUNT)
            Fail(StructureReadStatus::Corrupt);
        return value;
    case kStructureKind:
        if (!IsStructureRef(value))
            Fail(StructureReadStatus::Corrupt);
        return value;  // checked against the structure count once all are read
    case kCustomKind: {
        const QString name = ReadString(in);
        const int index = types.Find(name, value);
        return index < 0 ? TypeRef(TYPE_BYTE) : TypeRef(index);
    }
    default:
        Fail(StructureReadStatus::Corrupt);
    }
}

StructureMember ReadMember(FieldReader& in, const ValueTypeRegistry& types)
{
    StructureMember member;
    member.name = ReadString(in);
    member.type = ReadMemberType(in, types);
    member.isArray = ReadFlag(in);
    member.fixedLength = ReadInt32(in);
    member.isVariable = ReadFlag(in);
    member.lengthMember = ReadInt32(in);
    return member;
}

StructureDef ReadStructure(FieldReader& in, const ValueTypeRegistry& types)
{
    StructureDef structure;
    structure.name = ReadString(in);
    structure.paddingIndex = ReadInt32(in);
    if (structure.paddingIndex < 0 || structure.paddingIndex >= StructureDef::kPaddingCount)
        Fail(StructureReadStatus::Corrupt);
    const int32_t count = ReadCount(in, kMinMemberRecord);
    structure.members.reserve(size_t(std::min(count, kMostReserved)));
    for (int32_t i = 0; i < count; ++i)
        structure.members.push_back(ReadMember(in, types));
    return structure;
}

// Whether some structure contains itself, directly or through others: a
// depth-first walk that meets a structure still on its own path. Iterative
// and linear, so a file of many thousand structures costs no more than its size.
bool HasContainmentCycle(const std::vector<StructureDef>& structures)
{
    enum class Mark : uint8_t { Unvisited, OnPath, Done };
    std::vector<Mark> marks(structures.size(), Mark::Unvisited);
    struct Step {
        size_t structure;
        size_t member;
    };
    std::vector<Step> path;
    path.reserve(structures.size());  // a structure is on the path at most once
    for (size_t root = 0; root < structures.size(); ++root) {
        if (marks[root] != Mark::Unvisited)
            continue;
        marks[root] = Mark::OnPath;
        path.push_back({root, 0});
        while (!path.empty()) {
            Step& step = path.back();
            const std::vector<StructureMember>& members = structures[step.structure].members;
            if (step.member == members.size()) {
                marks[step.structure] = Mark::Done;
                path.pop_back();
                continue;
            }
            const StructureMember& member = members[step.member++];
            if (!member.IsStructure())
                continue;
            const size_t nested = size_t(StructureIndexOf(member.type));  // checked to be in range
            if (marks[nested] == Mark::OnPath)
                return true;
            if (marks[nested] == Mark::Unvisited) {
                marks[nested] = Mark::OnPath;
                path.push_back({nested, 0});
            }
        }
    }
    return false;
}

// The guarantees the editor keeps and the layout walk relies on: references
// inside the collection, no structure within itself, array lengths the
// editor allows, and count links to an earlier integer member.
bool KeepsTheEditorsRules(const std::vector<StructureDef>& structures, const ValueTypeRegistry& types)
{
    for (const StructureDef& structure : structures) {
        for (int m = 0; m < int(structure.members.size()); ++m) {
            const StructureMember& member = structure.members[size_t(m)];
            if (member.IsStructure() && StructureIndexOf(member.type) >= int(structures.size()))
                return false;
            if (member.isArray && (member.fixedLength < StructureMember::kMinFixedLength ||
                                   member.fixedLength > StructureMember::kMaxFixedLength))
                return false;
            if (member.IsVariableArray() && !IsValidLengthLink(structure, m, types))
                return false;
        }
    }
    return !HasContainmentCycle(structures);
}

StructureReadResult DecodeOrThrow(FieldReader& in, const ValueTypeRegistry& types)
{
    if (!in.Magic())
        Fail(StructureReadStatus::BadMagic);
    if (ReadInt32(in) != kVersion)
        Fail(StructureReadStatus::BadVersion);
    StructureReadResult result;
    result.reserved = ReadInt32(in);
    const int32_t count = ReadCount(in, kMinStructureRecord);
    result.structures.reserve(size_t(std::min(count, kMostReserved)));
    for (int32_t i = 0; i < count; ++i)
        result.structures.push_back(ReadStructure(in, types));
    // No program writes anything after the last structure: bytes there are
    // damage, or a file that only starts like a collection.
    if (!in.AtEnd())
        Fail(StructureReadStatus::Corrupt);
    if (!KeepsTheEditorsRules(result.structures, types))
        Fail(StructureReadStatus::Corrupt);
    return result;
}

StructureReadResult DecodeFrom(ByteSource& source, int64_t size, const ValueTypeRegistry& types)
{
    try {
        FieldReader in(source, size);
        return DecodeOrThrow(in, types);
    } catch (const ReadFailure& failure) {
        StructureReadResult result;
        result.status = failure.status;
        result.errorNumber = failure.errorNumber;
        return result;
    }
}

// Reads the file a block at a time as the records need it, so a file of
// some other kind stops at its first bytes and a huge one is never held
// whole in memory.
StructureReadResult ReadStructureFile(const QString& path, const ValueTypeRegistry& types)
{
    platform::FileReader reader;
    const int64_t size = reader.Open(path) ? reader.Size() : -1;
    if (size < 0) {
        StructureReadResult failed;
        failed.status = StructureReadStatus::FileError;
        failed.errorNumber = reader.Error();
        return failed;
    }
    FileSource source(reader);
    return DecodeFrom(source, reader.SizeIsExact() ? size : FieldReader::kUnknownSize, types);
}

} // namespace

QByteArray EncodeStructures(const StructureCollection& collection, const ValueTypeRegistry& types)
{
    QByteArray out;
    out.append(kMagic, 4);
    AppendInt32(out, kVersion);
    AppendInt32(out, collection.Reserved());
    AppendInt32(out, collection.Count());
    for (const StructureDef& structure : collection.All()) {
        AppendString(out, structure.name);
        AppendInt32(out, structure.paddingIndex);
        AppendInt32(out, int32_t(structure.members.size()));
        for (const StructureMember& member : structure.members) {
            AppendString(out, member.name);
            AppendMemberType(out, member.type, types);
            out.append(char(member.isArray ? 1 : 0));
            AppendInt32(out, member.fixedLength);
            out.append(char(member.isVariable ? 1 : 0));
            AppendInt32(out, member.lengthMember);
        }
    }
    return out;
}

StructureReadResult DecodeStructures(const QByteArray& bytes, const ValueTypeRegistry& types)
{
    MemorySource source(bytes);
    return DecodeFrom(source, bytes.size(), types);
}

QString StructureFileCorruptText(const QString& path)
{
    return QStringLiteral("Unable to load \"%1\".\r\n\r\nThis file is corrupt or is not a valid structure collection file.")
        .arg(path);
}

QString StructureFileVersionText(const QString& path)
{
    return QStringLiteral("Unable to load \"%1\".\r\n\r\nThis file contains unrecognizable data. It may have been "
                          "created by a different version of this program.")
        .arg(path);
}

QString NoStructuresToSaveText() { return QStringLiteral("Unable to save structure collection : No structures defined."); }

bool LoadStructureFile(StructureCollection& collection, const QString& path, const ValueTypeRegistry& types)
{
    StructureReadResult result = ReadStructureFile(path, types);
    switch (result.status) {
    case StructureReadStatus::Ok:
        collection.Assign(std::move(result.structures), result.reserved, path);
        return true;
    case StructureReadStatus::BadMagic:
    case StructureReadStatus::Corrupt:
        platform::ShowMessage(StructureFileCorruptText(path));
        return false;
    case StructureReadStatus::BadVersion:
        platform::ShowMessage(StructureFileVersionText(path));
        return false;
    case StructureReadStatus::ShortRead:
    case StructureReadStatus::FileError:
        platform::ReportFileError(result.errorNumber, path);
        return false;
    }
    return false;
}

bool SaveStructureFile(StructureCollection& collection, const QString& path, const ValueTypeRegistry& types)
{
    if (collection.IsEmpty()) {
        // Nothing to keep, so the caller goes on as after a save.
        platform::ShowMessage(NoStructuresToSaveText());
        return true;
    }
    const QByteArray bytes = EncodeStructures(collection, types);
    platform::AtomicFileWriter writer;
    if (!writer.Open(path) || !writer.Write(bytes.constData(), bytes.size()) || !writer.Commit()) {
        platform::ReportFileError(writer.Error(), path);
        return false;
    }
    collection.SetPath(path);
    collection.SetModified(false);
    return true;
}
