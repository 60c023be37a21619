#pragma once
// What every qbank command shares of the command line: the exit codes, lines to the standard
// streams, options with a value, and the answer to wrong use.

#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace qbank {

enum Exit { Ok = 0, Faults = 1, Usage = 2 };

// One line to `to`.
inline void say(FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fputc('\n', to);
}

// Says why the command line is wrong, and where help is; gives the exit code for wrong use.
inline int usage(const QString& why)
{
    say(stderr, QStringLiteral("qbank: %1").arg(why));
    say(stderr, QStringLiteral("Try 'qbank --help'."));
    return Usage;
}

// Takes each option of `names` with the value after it out of `args` into `values` (the last one
// given wins); gives a fault text when one lacks its value, else an empty one.
inline QString takeValues(QStringList& args, const QStringList& names, QMap<QString, QString>& values)
{
    QStringList rest;
    for (int i = 0; i < args.size(); ++i) {
        if (!names.contains(args[i])) {
            rest << args[i];
            continue;
        }
        if (i + 1 >= args.size())
            return QStringLiteral("%1 needs a value").arg(args[i]);
        values[args[i]] = args[i + 1];
        ++i;
    }
    args = rest;
    return {};
}

// `text` as a whole number from `low` to `high`; nullopt when it is none or out of range.
inline std::optional<int> numberIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= low && n <= high ? std::optional<int>(n) : std::nullopt;
}

}  // namespace qbank
