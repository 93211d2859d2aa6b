#include "ForwardMessage.h"
#include "platform/FileNames.h"

#include <QDir>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
constexpr int kHeaderBytes = 8;
constexpr uint32_t kMinimumByteCount = 38;
constexpr qsizetype kGuidLength = 38;
} // namespace

QByteArray BuildForwardBlock(const QStringList& arguments)
{
    QString text = kForwardGuid;
    for (const QString& argument : arguments)
        text += QLatin1Char('|') + argument;
    text += QChar(0);

    const auto byteCount = uint32_t(text.size() * 2);
    QByteArray block(kHeaderBytes + qsizetype(byteCount), '\0');
    char* out = block.data();
    std::memcpy(out, kForwardTag, 4);
    qToLittleEndian<uint32_t>(byteCount, out + 4);
    qToLittleEndian<char16_t>(reinterpret_cast<const char16_t*>(text.utf16()), text.size(), out + kHeaderBytes);
    return block;
}

namespace {
// The text up to its terminating zero (or the whole block without one).
QString TextOf(const QByteArray& block, uint32_t byteCount)
{
    const qsizetype available = std::min<qsizetype>(block.size() - kHeaderBytes, byteCount) / 2;
    QString text(available, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(block.constData() + kHeaderBytes, available, reinterpret_cast<char16_t*>(text.data()));
    const qsizetype zero = text.indexOf(QChar(0));
    if (zero >= 0)
        text.truncate(zero);
    return text;
}
} // namespace

std::optional<CommandLineInfo> ParseForwardBlock(const QByteArray& block)
{
    if (block.size() < kHeaderBytes || std::memcmp(block.constData(), kForwardTag, 4) != 0)
        return std::nullopt;
    const uint32_t byteCount = qFromLittleEndian<uint32_t>(block.constData() + 4);
    if (byteCount < kMinimumByteCount)
        return std::nullopt;
    const QString text = TextOf(block, byteCount);
    if (text.indexOf(QLatin1Char('|')) != kGuidLength || !text.startsWith(kForwardGuid))
        return std::nullopt;

    CommandLineInfo info;
    QStringView rest = QStringView(text).mid(kGuidLength + 1);
    while (!rest.isEmpty()) {
        const qsizetype bar = rest.indexOf(QLatin1Char('|'));
        const bool last = bar < 0;
        const QString token = (last ? rest : rest.left(bar)).toString();
        rest = last ? QStringView() : rest.mid(bar + 1);
        QString flag;
        const bool isFlag = CommandLineInfo::SplitFlag(token, &flag);
        info.ParseParam(isFlag ? flag : token, isFlag, last);
        // A text ending in "|" has an empty last token.
        if (!last && rest.isEmpty())
            info.ParseParam(QString(), false, true);
    }
    return info;
}

QStringList ArgumentsForForwarding(const QStringList& arguments)
{
    QStringList result;
    result.reserve(arguments.size());
    for (const QString& argument : arguments) {
        QString flag;
        if (!CommandLineInfo::SplitFlag(argument, &flag) && QDir::isRelativePath(argument) &&
            platform::FileNameExists(argument))
            result.append(platform::AbsoluteFileName(argument));
        else
            result.append(argument);
    }
    return result;
}
