#include "DigestReport.h"

QString DigestReportText(QStringView title, QStringView fileName, int64_t offset, uint64_t length,
                         const DigestList& digests)
{
    const QString doubleRule(40, u'=');
    const QString crlf = QStringLiteral("\r\n");
    QString text = doubleRule + crlf + title.toString() + crlf + doubleRule + crlf;
    text += QStringLiteral("Filename: %1").arg(fileName) + crlf;
    text += QStringLiteral("Offset: %1").arg(offset) + crlf;
    text += QStringLiteral("Length: %1").arg(length) + crlf;
    text += QString(40, u'-') + crlf;
    for (const auto& digest : digests)
        text += digest->LineName() + QStringLiteral(": ") + digest->Final() + crlf;
    return text;
}
