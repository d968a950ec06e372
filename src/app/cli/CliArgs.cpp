#include "app/cli/CliArgs.h"

namespace {

const QString kEnd = QStringLiteral("--");

// Where the options end: the index of "--", or the size.
qsizetype optionsEnd(const QStringList &args)
{
    const qsizetype i = args.indexOf(kEnd);
    return i < 0 ? args.size() : i;
}

} // namespace

namespace KivCliArgs {

QStringList splitAssignments(const QStringList &args)
{
    QStringList out;
    bool options = true;
    for (const QString &arg : args) {
        if (arg == kEnd)
            options = false;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (options && arg.startsWith(QLatin1String("--")) && eq > 2) {
            out << arg.left(eq) << arg.mid(eq + 1);
        } else {
            out << arg;
        }
    }
    return out;
}

QString takeOption(QStringList &args, const QString &name, bool *missingValue)
{
    const qsizetype end = optionsEnd(args);
    const qsizetype i = args.indexOf(name);
    if (i < 0 || i >= end)
        return QString();
    if (i + 1 >= args.size()) {
        args.removeAt(i);
        if (missingValue)
            *missingValue = true;
        return QString();
    }
    QString value = args.at(i + 1);
    if (value.isNull())
        value = QStringLiteral("");
    args.remove(i, 2);
    return value;
}

bool takeFlag(QStringList &args, const QString &name)
{
    bool found = false;
    for (qsizetype i = optionsEnd(args) - 1; i >= 0; --i) {
        if (args.at(i) == name) {
            args.removeAt(i);
            found = true;
        }
    }
    return found;
}

QString unknownOption(const QStringList &args)
{
    const qsizetype end = optionsEnd(args);
    for (qsizetype i = 0; i < end; ++i) {
        const QString &arg = args.at(i);
        if (arg.size() > 1 && arg.startsWith(QLatin1Char('-')))
            return arg;
    }
    return QString();
}

QStringList operands(const QStringList &args)
{
    QStringList out = args;
    out.removeOne(kEnd);
    return out;
}

} // namespace KivCliArgs
