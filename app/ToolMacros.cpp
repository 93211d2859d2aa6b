#include "ToolMacros.h"

#include <array>
#include <utility>

namespace {

enum class Macro { CurFilePath, CurFileDir, CurFileName, CurFileExt, SelectedText, ActiveDir };

const std::array<std::pair<QLatin1StringView, Macro>, 6>& MacroNames()
{
    static const std::array<std::pair<QLatin1StringView, Macro>, 6> names = {{
        {QLatin1StringView("{@CurFilePath}"), Macro::CurFilePath},
        {QLatin1StringView("{@CurFileDir}"), Macro::CurFileDir},
        {QLatin1StringView("{@CurFileName}"), Macro::CurFileName},
        {QLatin1StringView("{@CurFileExt}"), Macro::CurFileExt},
        {QLatin1StringView("{@SelectedText}"), Macro::SelectedText},
        {QLatin1StringView("{@ActiveDir}"), Macro::ActiveDir},
    }};
    return names;
}

QString MacroValue(Macro macro, const MacroContext& context)
{
    if (macro == Macro::ActiveDir)
        return context.activeDir;
    if (!context.hasDocument)
        return QString();
    switch (macro) {
    case Macro::CurFilePath:
        return context.path;
    case Macro::CurFileDir:
        return PathDirectory(context.path);
    case Macro::CurFileName:
        return context.title;
    case Macro::CurFileExt:
        return TitleExtension(context.title);
    case Macro::SelectedText:
        return SelectedTextFromBytes(context.selection);
    case Macro::ActiveDir:
        break;
    }
    return QString();
}

} // namespace

QString SelectedTextFromBytes(const QByteArray& bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return QString::fromUtf8(zero < 0 ? bytes : bytes.left(zero));
}

QString TitleExtension(const QString& title)
{
    const qsizetype dot = title.indexOf(u'.');
    return dot < 0 ? QString() : title.mid(dot + 1);
}

QString PathDirectory(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash);
}

QString ExpandMacros(const QString& text, const MacroContext& context)
{
    QString result;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype open = text.indexOf(QLatin1StringView("{@"), i);
        if (open < 0)
            break;
        result += QStringView(text).mid(i, open - i);
        bool matched = false;
        for (const auto& [name, macro] : MacroNames()) {
            if (QStringView(text).mid(open).startsWith(name)) {
                result += MacroValue(macro, context);
                i = open + name.size();
                matched = true;
                break;
            }
        }
        if (!matched) {
            result += text[open];
            i = open + 1;
        }
    }
    result += QStringView(text).mid(i);
    return result;
}

bool ContainsMacro(const QString& text)
{
    for (const auto& entry : MacroNames())
        if (text.contains(entry.first))
            return true;
    return false;
}
