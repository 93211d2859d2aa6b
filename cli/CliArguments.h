#pragma once
// The words after a subcommand: options ("--name", "--name=value",
// "--name value", "-o value") and the positional words, in order. A lone "-"
// is a word like any other (standard output where a file is named), and
// "--" ends the options.
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

struct CliOption {
    QString name;             // "--offset", "-o"
    bool takesValue = false;
};

class CliArguments {
public:
    // Nothing, with error set, for an unknown option or a missing value.
    static std::optional<CliArguments> Parse(const QStringList& words, const std::vector<CliOption>& options,
                                             QString& error);

    bool Has(const QString& name) const { return values_.count(name) != 0; }
    // The last value given for the option, or an empty text.
    QString Value(const QString& name) const;
    const QStringList& Positional() const { return positional_; }

private:
    std::map<QString, QString> values_;
    QStringList positional_;
};
