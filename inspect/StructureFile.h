#pragma once
// The structure collection file (".str"): the magic "strt", version 1, the
// collection's reserved value and the structure count, then each structure
// as its name, padding index, member count and members. All integers are
// 32-bit little-endian; strings are a count of UTF-16 code units followed by
// the code units. Custom data types are stored by size and name and matched
// against the registry when read, so a file survives a change in the set of
// installed modules.
#include "inspect/StructureCollection.h"

#include <QByteArray>
#include <QString>

class ValueTypeRegistry;

enum class StructureReadStatus {
    Ok,
    BadMagic,    // not a structure collection file
    BadVersion,  // written by another version
    Corrupt,     // counts, lengths or references no valid collection holds
    ShortRead,   // the file ended inside a field
    FileError,   // the file could not be opened or read
};

struct StructureReadResult {
    StructureReadStatus status = StructureReadStatus::Ok;
    int errorNumber = 0;  // errno for FileError
    std::vector<StructureDef> structures;
    int32_t reserved = 0;
};

QByteArray EncodeStructures(const StructureCollection& collection, const ValueTypeRegistry& types);
// Reads any bytes without trusting a count or length beyond what is present.
StructureReadResult DecodeStructures(const QByteArray& bytes, const ValueTypeRegistry& types);

// The messages, each naming the file.
QString StructureFileCorruptText(const QString& path);
QString StructureFileVersionText(const QString& path);
QString NoStructuresToSaveText();  // "Unable to save structure collection : No structures defined."

// Loads path into collection and reports every failure to the user. Bad
// magic, version or contents leave the collection as it was; on success it
// holds the file's structures, records path and is unmodified.
bool LoadStructureFile(StructureCollection& collection, const QString& path, const ValueTypeRegistry& types);
// Writes the collection to path through the atomic writer, then records the
// path and clears the modified flag; file errors are reported naming the
// file. An empty collection is not written (the user is told).
bool SaveStructureFile(StructureCollection& collection, const QString& path, const ValueTypeRegistry& types);
