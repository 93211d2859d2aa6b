#pragma once
// The UTF-16LE text a checksum task writes (no byte-order mark, lines ended
// by CR LF): a framed title, the file name, offset and length, a rule, then
// one "name: value" line per digest.
#include "Digest.h"

#include <QString>

QString DigestReportText(QStringView title, QStringView fileName, int64_t offset, uint64_t length,
                         const DigestList& digests);
