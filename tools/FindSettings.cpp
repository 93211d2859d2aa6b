#include "FindSettings.h"

#include "settings/AppSettings.h"

FindSettings FindSettings::Load(const AppSettings& s)
{
    FindSettings out;
    out.find = {s.findType, s.findText, s.findUnicode, s.findTextBigEndian, s.findValue,
                s.findValueType, s.findValueBigEndian, s.findData, s.findHexCol};
    out.replace = {s.replaceType, s.replaceText, s.replaceUnicode, s.replaceTextBigEndian, s.replaceValue,
                   s.replaceValueType, s.replaceValueBigEndian, s.replaceData, s.replaceHexCol};
    out.matchCase = s.matchCase;
    return out;
}

void FindSettings::Store(AppSettings& s) const
{
    s.findType = find.type;
    s.findText = find.text;
    s.findUnicode = find.unicode;
    s.findTextBigEndian = find.textBigEndian;
    s.findValue = find.value;
    s.findValueType = find.valueType;
    s.findValueBigEndian = find.valueBigEndian;
    s.findData = find.data;
    s.findHexCol = find.hexCol;
    s.replaceType = replace.type;
    s.replaceText = replace.text;
    s.replaceUnicode = replace.unicode;
    s.replaceTextBigEndian = replace.textBigEndian;
    s.replaceValue = replace.value;
    s.replaceValueType = replace.valueType;
    s.replaceValueBigEndian = replace.valueBigEndian;
    s.replaceData = replace.data;
    s.replaceHexCol = replace.hexCol;
    s.matchCase = matchCase;
}
