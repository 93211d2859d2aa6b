#include "CliArguments.h"

#include <algorithm>

namespace {

const CliOption* FindOption(const std::vector<CliOption>& options, const QString& name)
{
    const auto it = std::find_if(options.begin(), options.end(), [&](const CliOption& o) { return o.name == name; });
    return it == options.end() ? nullptr : &*it;
}

bool LooksLikeOption(const QString& word) { return word.size() > 1 && word.startsWith(u'-'); }

} // namespace

std::optional<CliArguments> CliArguments::Parse(const QStringList& words, const std::vector<CliOption>& options,
                                                QString& error)
{
    CliArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (optionsEnded || !LooksLikeOption(word)) {
            parsed.positional_ << word;
            continue;
        }
        if (word == u"--") {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = word.startsWith(u"--") ? word.indexOf(u'=') : -1;
        const QString name = equals < 0 ? word : word.left(equals);
        const CliOption* option = FindOption(options, name);
        if (!option) {
            error = QStringLiteral("unknown option \"%1\"").arg(name);
            return std::nullopt;
        }
        if (!option->takesValue) {
            if (equals >= 0) {
                error = QStringLiteral("option \"%1\" takes no value").arg(name);
                return std::nullopt;
            }
            parsed.values_[name] = QString();
            continue;
        }
        if (equals >= 0) {
            parsed.values_[name] = word.mid(equals + 1);
        } else if (i + 1 < words.size()) {
            parsed.values_[name] = words[++i];
        } else {
            error = QStringLiteral("option \"%1\" needs a value").arg(name);
            return std::nullopt;
        }
    }
    return parsed;
}

QString CliArguments::Value(const QString& name) const
{
    const auto it = values_.find(name);
    return it == values_.end() ? QString() : it->second;
}
