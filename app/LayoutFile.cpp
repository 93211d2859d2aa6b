#include "LayoutFile.h"

#include "settings/SystemColor.h"

#include <QtEndian>

namespace {

constexpr char kMagic[4] = {'L', 'A', 'Y', 'T'};
constexpr int32_t kVersion = 1;
constexpr int kUsedColors = 12;
// System colour indexes run from 0 to 30.
constexpr int kLastSystemColor = 30;

void PutInt(QByteArray& bytes, int offset, int32_t value) { qToLittleEndian(value, bytes.data() + offset); }
int32_t GetInt(const QByteArray& bytes, int offset) { return qFromLittleEndian<int32_t>(bytes.constData() + offset); }

bool IsFlag(int32_t value) { return value == 0 || value == 1; }

bool IsColor(uint32_t value)
{
    if (IsSystemColor(value))
        return SystemColorIndex(value) <= kLastSystemColor;
    return (value & 0xFF000000u) == 0;
}

} // namespace

QByteArray EncodeLayoutFile(const LayoutValues& values)
{
    QByteArray bytes(kLayoutFileSize, '\0');
    std::copy(std::begin(kMagic), std::end(kMagic), bytes.begin());
    PutInt(bytes, 4, kVersion);
    PutInt(bytes, 8, values.bytesPerRow);
    PutInt(bytes, 12, values.sizeToFit ? 1 : 0);
    PutInt(bytes, 16, values.groupBy);
    PutInt(bytes, 20, values.showDash ? 1 : 0);
    PutInt(bytes, 24, values.columns);
    PutInt(bytes, 28, values.showSizeBar ? 1 : 0);
    PutInt(bytes, 32, values.offsetFormat);
    for (int i = 0; i < kUsedColors; ++i)
        PutInt(bytes, 36 + 4 * i, int32_t(values.colors[i]));
    return bytes;
}

LayoutFileError DecodeLayoutFile(const QByteArray& bytes, LayoutValues* values)
{
    if (bytes.size() < 8 || !bytes.startsWith(QByteArrayView(kMagic, 4)))
        return LayoutFileError::NotALayout;
    // A version we do not know may lay its values out differently (or be
    // longer), so only the version is judged then.
    if (GetInt(bytes, 4) != kVersion)
        return LayoutFileError::UnknownVersion;
    if (bytes.size() != kLayoutFileSize)
        return LayoutFileError::NotALayout;
    LayoutValues read;
    read.bytesPerRow = GetInt(bytes, 8);
    const int32_t sizeToFit = GetInt(bytes, 12);
    read.groupBy = GetInt(bytes, 16);
    const int32_t showDash = GetInt(bytes, 20);
    read.columns = GetInt(bytes, 24);
    const int32_t showSizeBar = GetInt(bytes, 28);
    read.offsetFormat = GetInt(bytes, 32);
    bool valid = read.bytesPerRow >= 2 && read.bytesPerRow <= 256 && IsFlag(sizeToFit) && read.groupBy >= 0 &&
                 read.groupBy <= 3 && IsFlag(showDash) && read.columns >= 1 && read.columns <= 3 &&
                 IsFlag(showSizeBar) && IsFlag(read.offsetFormat);
    for (int i = 0; i < 16; ++i) {
        const uint32_t color = uint32_t(GetInt(bytes, 36 + 4 * i));
        valid = valid && (i < kUsedColors ? IsColor(color) : color == 0);
        read.colors[i] = i < kUsedColors ? color : 0;
    }
    if (!valid)
        return LayoutFileError::NotALayout;
    read.sizeToFit = sizeToFit == 1;
    read.showDash = showDash == 1;
    read.showSizeBar = showSizeBar == 1;
    if (values)
        *values = read;
    return LayoutFileError::None;
}

QString LayoutFileMessage(LayoutFileError error)
{
    switch (error) {
    case LayoutFileError::NotALayout:
        return QStringLiteral("Unable to read file: File is corrupt or is not a valid layout data file.");
    case LayoutFileError::UnknownVersion:
        return QStringLiteral("Unable to read file: Layout file contains an unrecognized format scheme. File may "
                              "have been created with a different version of Vantrel.");
    case LayoutFileError::None:
        break;
    }
    return QString();
}
