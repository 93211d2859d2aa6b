#include "SearchPattern.h"

#include "types/ValueTypeRegistry.h"
#include "platform/CodePage.h"
#include "platform/MessageBox.h"
#include "tools/RegistryValue.h"

namespace {

QByteArray Utf16Bytes(const QString& text, bool bigEndian)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        const auto low = char(unit & 0xFF);
        const auto high = char(unit >> 8);
        if (bigEndian) {
            bytes.append(high);
            bytes.append(low);
        } else {
            bytes.append(low);
            bytes.append(high);
        }
    }
    return bytes;
}

} // namespace

std::optional<QByteArray> BuildPageBytes(const FindPageSettings& page, const ValueTypeRegistry& types)
{
    switch (page.type) {
    case FIND_PAGE_VALUE: {
        const int type = page.valueType >= 0 && page.valueType < types.Count() ? page.valueType : 0;
        QByteArray bytes;
        if (!ParseRegistryValue(types, type, page.value, page.valueBigEndian, bytes))
            return std::nullopt;
        return bytes;
    }
    case FIND_PAGE_DATA:
        return page.data;
    case FIND_PAGE_TEXT:
    default:
        return page.unicode ? Utf16Bytes(page.text, page.textBigEndian) : platform::ToCodePage(page.text);
    }
}

bool EffectiveMatchCase(const FindPageSettings& findPage, bool matchCaseBox)
{
    return matchCaseBox || findPage.type == FIND_PAGE_VALUE;
}

SearchBuild BuildSearch(const FindSettings& settings, SearchDialog dialog, const ValueTypeRegistry& types)
{
    SearchBuild build;
    const std::optional<QByteArray> pattern = BuildPageBytes(settings.find, types);
    if (!pattern) {
        build.failure = PatternFailure::FindValue;
        return build;
    }
    if (pattern->isEmpty()) {
        platform::ShowMessage(dialog == SearchDialog::Find ? QStringLiteral("Nothing to search for.")
                                                           : QStringLiteral("There is nothing to search for."));
        build.failure = PatternFailure::EmptyPattern;
        return build;
    }
    build.search.pattern = *pattern;
    build.search.matchCase = EffectiveMatchCase(settings.find, settings.matchCase);
    if (dialog == SearchDialog::Replace) {
        const std::optional<QByteArray> replacement = BuildPageBytes(settings.replace, types);
        if (!replacement) {
            build.failure = PatternFailure::ReplaceValue;
            return build;
        }
        build.search.replacement = *replacement;
    }
    return build;
}

void AdoptSearch(const SearchBuild& build, SearchDialog dialog, SearchState& current)
{
    if (!build.Ok())
        return;
    current.pattern = build.search.pattern;
    current.matchCase = build.search.matchCase;
    if (dialog == SearchDialog::Replace)
        current.replacement = build.search.replacement;
}
