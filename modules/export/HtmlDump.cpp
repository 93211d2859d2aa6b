#include "HtmlDump.h"

#include "DumpTables.h"
#include "TextDump.h"

#include "platform/CodePage.h"

#include <cstdio>

namespace exporter {

namespace {

const char kNbsp[] = "&nbsp;";

// "RRGGBB" from a 0x00BBGGRR colour.
std::string Rgb(uint32_t color)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", unsigned(color & 0xFF), unsigned(color >> 8 & 0xFF),
                  unsigned(color >> 16 & 0xFF));
    return text;
}

std::string FontOpen(uint32_t color) { return "<font color=\"#" + Rgb(color) + "\">"; }

class HtmlRows {
public:
    HtmlRows(const DumpSettings& s) : s_(s), tables_(s.showAllChars) {}

    void Row(std::string& out, int64_t rowOffset, const uint8_t* bytes, int lead, int count)
    {
        char offset[10];
        out.append(offset, size_t(WriteOffset(offset, rowOffset, s_.decimalOffsets) - offset));
        if (s_.hexColumn) {
            out += "&nbsp;&nbsp;";
            if (s_.colors[1] == s_.colors[2])
                PlainHex(out, bytes, lead, count);
            else
                GroupedHex(out, bytes, lead, count);
        }
        if (s_.charColumn) {
            out += "&nbsp;&nbsp;";
            Characters(out, bytes, lead, count);
        }
        out += "<br>\r\n";
    }

private:
    void Wrapped(std::string& out, uint32_t color, const std::string& inner)
    {
        if (color == s_.colors[0]) {
            out += inner;
            return;
        }
        out += FontOpen(color);
        out += inner;
        out += "</font>";
    }

    // One colour for all hex digits: the text dump's hex column, escaped.
    void PlainHex(std::string& out, const uint8_t* bytes, int lead, int count)
    {
        std::string text(size_t(s_.HexWidth()), ' ');
        WriteHexColumn(text.data(), s_, tables_, bytes, lead, count);
        std::string inner;
        for (char c : text)
            AppendEscaped(inner, char16_t(uint8_t(c)));
        Wrapped(out, s_.colors[1], inner);
    }

    // Alternating group colours; a group without a selected byte stays in
    // the offset colour.
    void GroupedHex(std::string& out, const uint8_t* bytes, int lead, int count)
    {
        const int g = s_.groupSize, r = s_.bytesPerRow, end = lead + count;
        const int dashAfter = s_.DashInRow(lead, count) ? s_.DashByte() - 1 : -1;
        for (int group = 0; group < s_.groups; ++group) {
            const int first = group * g, last = std::min(first + g, r);
            std::string inner;
            bool anySelected = false;
            for (int i = first; i < last; ++i) {
                if (i >= lead && i < end) {
                    inner.append(tables_.Hex(bytes[i - lead]), 2);
                    anySelected = true;
                } else {
                    inner += "&nbsp;&nbsp;";
                }
            }
            if (group + 1 < s_.groups)
                inner += last - 1 == dashAfter ? "-" : kNbsp;
            const uint32_t color = s_.colors[group % 2 == 0 ? 1 : 2];
            if (anySelected)
                Wrapped(out, color, inner);
            else
                out += inner;
        }
    }

    void Characters(std::string& out, const uint8_t* bytes, int lead, int count)
    {
        std::string inner;
        for (int i = 0; i < s_.bytesPerRow; ++i)
            AppendEscaped(inner, i >= lead && i < lead + count ? tables_.Shown(bytes[i - lead]) : u' ');
        Wrapped(out, s_.colors[3], inner);
    }

    const DumpSettings& s_;
    const DumpTables tables_;
};

void Header(OutputBuffer& out, const DumpSettings& s, bool page)
{
    const std::string face = AttributeText(s.faceName);
    if (!page) {
        out.Append("<font face=\"" + face + "\" color=\"#" + Rgb(s.colors[0]) + "\">\r\n");
        return;
    }
    out.Append("<html>\r\n<head>\r\n<meta name=\"GENERATOR\" content=\"Vantrel Hex Editor\">\r\n");
    out.Append("<title>" + AttributeText(s.title) + "</title>\r\n</head>\r\n");
    out.Append("<body text=\"" + Rgb(s.colors[0]) + "\" bgcolor=\"" + Rgb(s.colors[4]) + "\">\r\n");
    out.Append("<font face=\"" + face + "\">\r\n");
}

} // namespace

void AppendEscaped(std::string& out, char16_t c)
{
    switch (c) {
    case u' ': out += kNbsp; return;
    case u'"': out += "&quot;"; return;
    case u'&': out += "&amp;"; return;
    case u'<': out += "&lt;"; return;
    case u'>': out += "&gt;"; return;
    default: break;
    }
    if (c >= 128) {
        out += "&#" + std::to_string(unsigned(c)) + ";";
        return;
    }
    out += char(c);
}

std::string AttributeText(const QString& text)
{
    QString escaped = text.toHtmlEscaped();
    const QByteArray bytes = platform::ToCodePage(escaped);
    return std::string(bytes.constData(), size_t(bytes.size()));
}

void WriteHtmlDump(RowSource& rows, OutputBuffer& out, const DumpSettings& s, bool page)
{
    Header(out, s, page);
    HtmlRows html(s);
    std::string row;
    int64_t rowOffset = s.selectionStart - s.selectionStart % s.bytesPerRow;
    int lead = int(s.selectionStart % s.bytesPerRow);
    const uint8_t* bytes;
    int count;
    while (rows.Next(bytes, count)) {
        row.clear();
        html.Row(row, rowOffset, bytes, lead, count);
        out.Append(row);
        rowOffset += s.bytesPerRow;
        lead = 0;
    }
    out.Append("</font>\r\n");
    if (page)
        out.Append("</body>\r\n</html>\r\n");
}

} // namespace exporter
