#pragma once
// The block a second copy of the program sends to the running one:
//   tag         4 bytes   "VANT"
//   byte count  32-bit little-endian: the text's length in bytes with its
//               terminating zero character (2 x characters + 2)
//   text        UTF-16LE: the GUID, then "|" and each argument, then a zero
// No escaping is done: an argument containing "|" arrives as two tokens.
#include "app/CommandLineInfo.h"

#include <QByteArray>
#include <QStringList>
#include <optional>

inline const QString kForwardGuid = QStringLiteral("{B09C3551-B893-4e28-82EE-5FF8DCA64457}");
inline constexpr char kForwardTag[] = "VANT";

// The block for the arguments after the program name.
QByteArray BuildForwardBlock(const QStringList& arguments);

// Checks the block the way the running instance must and turns its tokens into
// a command line; nothing when the block is to be answered with 0: wrong tag,
// a byte count below 38, or a text whose first "|" is not at character 38
// right after the GUID.
std::optional<CommandLineInfo> ParseForwardBlock(const QByteArray& block);

// Arguments as the running instance must see them: its working directory is
// not this process's, so a relative name of an existing file becomes absolute.
QStringList ArgumentsForForwarding(const QStringList& arguments);
