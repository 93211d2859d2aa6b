// TEMPORARY, REMOVED AT MERGE: throwaway definitions of the structure file,
// rules and store functions the structure dialogs call, so the dialogs build
// and their tests run before the real inspect/ implementations land. Delete
// this file and its line in inspectview/CMakeLists.txt when merging.
#include "inspect/StructureFile.h"
#include "inspect/StructureRules.h"
#include "inspect/StructureStore.h"
#include "inspect/ValueTypeRegistry.h"

#include "platform/FileErrors.h"
#include "platform/MessageBox.h"
#include "settings/AppSettings.h"
#include "settings/SettingsHooks.h"

#include <QDataStream>
#include <QFile>

// ---------------------------------------------------------------- file

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

namespace {
void WriteText(QDataStream& out, const QString& text)
{
    out << qint32(text.size());
    for (QChar c : text)
        out << quint16(c.unicode());
}

QString ReadText(QDataStream& in)
{
    qint32 count = 0;
    in >> count;
    QString text;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        quint16 unit = 0;
        in >> unit;
        text.append(QChar(unit));
    }
    return text;
}
} // namespace

QByteArray EncodeStructures(const StructureCollection& collection, const ValueTypeRegistry& types)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("strt", 4);
    out << qint32(1) << qint32(collection.Reserved()) << qint32(collection.Count());
    for (const StructureDef& s : collection.All()) {
        WriteText(out, s.name);
        out << qint32(s.paddingIndex) << qint32(s.members.size());
        for (const StructureMember& m : s.members) {
            WriteText(out, m.name);
            if (m.type > 11) {
                out << qint32(1) << qint32(types.At(m.type).Size());
                WriteText(out, types.At(m.type).Name());
            } else {
                out << qint32(m.type < 0 ? 2 : 0) << qint32(m.type);
            }
            out << quint8(m.isArray) << qint32(m.fixedLength) << quint8(m.isVariable) << qint32(m.lengthMember);
        }
    }
    return bytes;
}

StructureReadResult DecodeStructures(const QByteArray& bytes, const ValueTypeRegistry& types)
{
    StructureReadResult result;
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    char magic[4] = {};
    qint32 version = 0, count = 0;
    if (in.readRawData(magic, 4) != 4 || QByteArray(magic, 4) != "strt") {
        result.status = StructureReadStatus::BadMagic;
        return result;
    }
    in >> version >> result.reserved >> count;
    if (version != 1) {
        result.status = StructureReadStatus::BadVersion;
        return result;
    }
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        StructureDef s;
        s.name = ReadText(in);
        qint32 memberCount = 0;
        in >> s.paddingIndex >> memberCount;
        for (qint32 j = 0; j < memberCount && in.status() == QDataStream::Ok; ++j) {
            StructureMember m;
            m.name = ReadText(in);
            qint32 kind = 0, value = 0;
            in >> kind >> value;
            if (kind == 1) {
                const int found = types.Find(ReadText(in), value);
                m.type = found < 0 ? 0 : found;
            } else {
                m.type = value;
            }
            quint8 isArray = 0, isVariable = 0;
            in >> isArray >> m.fixedLength >> isVariable >> m.lengthMember;
            m.isArray = isArray != 0;
            m.isVariable = isVariable != 0;
            s.members.push_back(m);
        }
        result.structures.push_back(s);
    }
    if (in.status() != QDataStream::Ok)
        result.status = StructureReadStatus::ShortRead;
    return result;
}

bool LoadStructureFile(StructureCollection& collection, const QString& path, const ValueTypeRegistry& types)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        platform::ReportFileError(ENOENT, path);
        return false;
    }
    StructureReadResult result = DecodeStructures(file.readAll(), types);
    switch (result.status) {
    case StructureReadStatus::Ok:
        collection.Assign(std::move(result.structures), result.reserved, path);
        return true;
    case StructureReadStatus::BadVersion:
        platform::ShowMessage(StructureFileVersionText(path));
        return false;
    default:
        platform::ShowMessage(StructureFileCorruptText(path));
        return false;
    }
}

bool SaveStructureFile(StructureCollection& collection, const QString& path, const ValueTypeRegistry& types)
{
    if (collection.IsEmpty()) {
        platform::ShowMessage(NoStructuresToSaveText());
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(EncodeStructures(collection, types)) < 0) {
        platform::ReportFileError(EACCES, path);
        return false;
    }
    collection.SetPath(path);
    collection.SetModified(false);
    return true;
}

// ---------------------------------------------------------------- rules

namespace {
QString LowestFreeName(const char* pattern, const std::function<bool(const QString&)>& used)
{
    for (int n = 1;; ++n) {
        const QString name = QString::asprintf(pattern, n);
        if (!used(name))
            return name;
    }
}

bool CanGiveCount(const StructureMember& m, const ValueTypeRegistry& types)
{
    return !m.IsStructure() && !m.isArray && m.type < types.Count() && types.At(m.type).HasIntegerValue();
}
} // namespace

QString ProposedStructureName(const StructureCollection& collection)
{
    return LowestFreeName("[Structure%03d]", [&](const QString& name) { return collection.FindByName(name) >= 0; });
}

QString ProposedMemberName(const StructureDef& structure)
{
    return LowestFreeName("[Member%03d]", [&](const QString& name) {
        for (const StructureMember& m : structure.members)
            if (m.name.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    });
}

bool IsValidLengthLink(const StructureDef& structure, int arrayMember, const ValueTypeRegistry& types)
{
    const int length = structure.members[size_t(arrayMember)].lengthMember;
    return length >= 0 && length < arrayMember && CanGiveCount(structure.members[size_t(length)], types);
}

bool ClearBrokenLinks(StructureDef& structure, int fromMember, const ValueTypeRegistry& types)
{
    bool cleared = false;
    for (int i = fromMember + 1; i < int(structure.members.size()); ++i) {
        StructureMember& m = structure.members[size_t(i)];
        if (m.IsVariableArray() && !IsValidLengthLink(structure, i, types)) {
            m.isVariable = false;
            m.lengthMember = 0;
            cleared = true;
        }
    }
    return cleared;
}

MemberNameProblem CheckMemberName(const StructureDef& structure, int member, const QString& trimmedName)
{
    if (trimmedName.isEmpty())
        return MemberNameProblem::Empty;
    for (int i = 0; i < int(structure.members.size()); ++i)
        if (i != member && structure.members[size_t(i)].name.compare(trimmedName, Qt::CaseInsensitive) == 0)
            return MemberNameProblem::Duplicate;
    return MemberNameProblem::None;
}

int MemberUsedAsLengthBy(const StructureDef& structure, int member)
{
    for (int i = member + 1; i < int(structure.members.size()); ++i)
        if (structure.members[size_t(i)].IsVariableArray() && structure.members[size_t(i)].lengthMember == member)
            return i;
    return -1;
}

void DeleteMember(StructureDef& structure, int member)
{
    for (StructureMember& m : structure.members)
        if (m.lengthMember > member)
            --m.lengthMember;
    structure.members.erase(structure.members.begin() + member);
}

bool MoveMember(StructureDef& structure, int member, bool up, const ValueTypeRegistry& types)
{
    const int other = up ? member - 1 : member + 1;
    std::swap(structure.members[size_t(member)], structure.members[size_t(other)]);
    const int low = std::min(member, other);
    for (int i = std::min(member, other); i < int(structure.members.size()); ++i) {
        StructureMember& m = structure.members[size_t(i)];
        if (!m.IsVariableArray())
            continue;
        if (m.lengthMember == member)
            m.lengthMember = other;
        else if (m.lengthMember == other)
            m.lengthMember = member;
    }
    StructureMember& lower = structure.members[size_t(low)];
    if (lower.IsVariableArray() && !IsValidLengthLink(structure, low, types)) {
        lower.isVariable = false;
        lower.lengthMember = 0;
        return true;
    }
    return false;
}

std::vector<TypeChoice> DataTypeChoices(const StructureCollection& collection, int editedIndex,
                                        const ValueTypeRegistry& types)
{
    std::vector<TypeChoice> choices;
    for (int i = 0; i < types.Count(); ++i)
        choices.push_back({QStringLiteral("%1 (%2)").arg(types.At(i).Name(), ByteCountText(types.At(i).Size())), i});
    for (int i = 0; i < collection.Count(); ++i)
        if (editedIndex < 0 || (i != editedIndex && !collection.References(i, editedIndex)))
            choices.push_back({QStringLiteral("Structure %1").arg(collection.At(i).name), StructureRef(i)});
    return choices;
}

std::vector<LengthChoice> LengthMemberChoices(const StructureDef& structure, int member,
                                              const ValueTypeRegistry& types)
{
    std::vector<LengthChoice> choices;
    for (int i = 0; i < member && i < int(structure.members.size()); ++i)
        if (CanGiveCount(structure.members[size_t(i)], types))
            choices.push_back({structure.members[size_t(i)].name, i});
    return choices;
}

ImportOutcome ImportStructures(StructureCollection& current, StructureCollection imported, const std::set<int>& ticked)
{
    ImportOutcome outcome;
    std::set<int> chosen = ticked;
    for (int t : ticked)
        for (int i = 0; i < imported.Count(); ++i)
            if (imported.References(t, i) && chosen.insert(i).second)
                outcome.closureAdded = true;
    std::vector<StructureDef> structures = imported.All();
    for (int i = int(structures.size()) - 1; i >= 0; --i) {
        if (!chosen.count(i)) {
            structures.erase(structures.begin() + i);
            RenumberAfterDelete(structures, i);
            continue;
        }
        if (current.FindByName(structures[size_t(i)].name) >= 0) {
            for (int n = 2;; ++n) {
                const QString name = QStringLiteral("%1_%2").arg(structures[size_t(i)].name).arg(n);
                if (current.FindByName(name) < 0) {
                    structures[size_t(i)].name = name;
                    break;
                }
            }
            outcome.renamed = true;
        }
    }
    const int base = current.Count();
    for (StructureDef& s : structures) {
        for (StructureMember& m : s.members)
            if (m.IsStructure())
                m.type = StructureRef(StructureIndexOf(m.type) + base);
        current.Add(std::move(s));
        outcome.merged = true;
    }
    QStringList parts;
    if (outcome.closureAdded)
        parts << QStringLiteral("Additional structures were imported because they were referenced by selected "
                                "structures.");
    if (outcome.renamed)
        parts << QStringLiteral("One or more imported structures were renamed to avoid conflict with existing "
                                "structures.");
    outcome.message = parts.join(QStringLiteral("\r\n\r\n"));
    return outcome;
}

QString BrokenLinkWarningText()
{
    return QStringLiteral(
        "WARNING: Changes you have just made have broken the link between a variable-length-array member and a "
        "member used to specify the length of that array.\r\n\r\nIn order to maintain this link, the member used to "
        "specify the length of the array must be an integer data type, must not be an array itself, and must come "
        "before the array member.\r\n\r\nYou will need to re-established this link if that is your intent.");
}

// ---------------------------------------------------------------- store

QString SaveStructureChangesQuestion()
{
    return QStringLiteral("You have made changes to the current structure collection. Would you like to save the "
                          "current collection to disk?");
}

bool QueryStructureSaveChanges(StructureCollection& collection, const std::function<bool()>& saveAs)
{
    if (!collection.IsModified() || collection.IsEmpty())
        return true;
    switch (platform::ShowMessage(SaveStructureChangesQuestion(), platform::MsgButtons::YesNoCancel,
                                  platform::MsgIcon::Question)) {
    case platform::MsgResult::Yes:
        return saveAs && saveAs();
    case platform::MsgResult::No:
        return true;
    default:
        return false;
    }
}

void InstallStructureSettingsHooks(StructureCollection& collection, const ValueTypeRegistry& types,
                                   std::function<void()> ensureTypesLoaded)
{
    SettingsHooks hooks = InstalledSettingsHooks();
    hooks.reloadStructures = [&collection, &types, ensureTypesLoaded](const QString& path) {
        if (ensureTypesLoaded)
            ensureTypesLoaded();
        LoadStructureFile(collection, path, types);
    };
    hooks.structuresPath = [&collection] {
        return collection.Path().isEmpty() ? Settings().structuresFile : collection.Path();
    };
    InstallSettingsHooks(std::move(hooks));
}
