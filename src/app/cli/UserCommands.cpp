#include "app/cli/UserCommands.h"

#include "app/cli/CliArgs.h"
#include "app/cli/PasswordPrompt.h"
#include "catalog/PasswordHash.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "catalog/SqlQuote.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"

#include <QTemporaryDir>
#include <QTextStream>

namespace {

int fail(const QString &text, int code)
{
    QTextStream(stderr) << "melvora-cli: " << text << "\n";
    return code;
}

int addUser(QStringList args)
{
    bool missing = false;
    QString dsn = KivCliArgs::takeOption(args, QStringLiteral("--dsn"), &missing);
    const QString firstName = KivCliArgs::takeOption(args, QStringLiteral("--first-name"), &missing);
    const QString surname = KivCliArgs::takeOption(args, QStringLiteral("--surname"), &missing);
    const QString email = KivCliArgs::takeOption(args, QStringLiteral("--email"), &missing);
    const QString passwordFile = KivCliArgs::takeOption(args, QStringLiteral("--password-file"), &missing);
    if (missing)
        return fail(QStringLiteral("an option needs a value"), 1);
    if (const QString option = KivCliArgs::unknownOption(args); !option.isEmpty())
        return fail(QStringLiteral("unknown option ") + option, 1);
    const QStringList operands = KivCliArgs::operands(args);
    if (operands.size() != 1 || operands.first().trimmed().isEmpty())
        return fail(QStringLiteral("usage: melvora-cli user add NAME [--dsn NAME] [--first-name T] [--surname T] "
                                   "[--email T] [--password-file FILE]"),
                    1);
    const QString name = operands.first().trimmed();
    if (dsn.isEmpty())
        dsn = QStringLiteral("Melvora");

    QTemporaryDir scratch;
    CKivProfileStore store(scratch.filePath(QStringLiteral("Melvora.ini")));
    CKivSettings settings(store);
    settings.SetOdbcAliasname(dsn);
    CKivDatabase db(settings);
    if (!db.Connect(false))
        return fail(QStringLiteral("cannot connect to data source ") + dsn, 2);

    CRsBenutzer existing(db);
    existing.m_strFilter = QStringLiteral("Benutzername = '") + SqlQuote(name) + QLatin1Char('\'');
    if (!existing.Open())
        return fail(QStringLiteral("cannot read the users: ") + existing.lastError(), 2);
    // The login list finds users by name: a second user of the same name could never log in.
    if (!existing.IsEOF())
        return fail(QStringLiteral("a user named %1 exists already").arg(name), 1);
    existing.Close();

    QString password;
    if (!passwordFile.isNull()) {
        password = readPasswordFile(passwordFile);
        if (password.isNull())
            return fail(QStringLiteral("cannot read the password file ") + passwordFile, 1);
    } else {
        password = promptPassword(QStringLiteral("Paßwort für %1: ").arg(name));
    }
    const std::optional<QString> hash = KivPassword::Hash(password);
    if (!hash)
        return fail(QStringLiteral("the password could not be hashed"), 1);

    CRsBenutzer user(db);
    user.AddNew();
    user.m_Benutzername = name;
    user.m_Vorname = firstName;
    user.m_Name = surname;
    user.m_Email = email;
    user.m_Passwort = *hash;
    if (!user.Update())
        return fail(QStringLiteral("adding the user failed: ") + user.lastError(), 2);
    QTextStream(stdout) << name << " (ID " << user.m_ID << ") added\n";
    return 0;
}

int user(const QStringList &args)
{
    if (args.value(0) == QLatin1String("add"))
        return addUser(args.mid(1));
    return fail(QStringLiteral("user needs add"), 1);
}

} // namespace

std::vector<CliCommand> userCommands()
{
    return {{"user",
             "user add NAME [--dsn NAME] [--first-name T] [--surname T] [--email T] [--password-file FILE]",
             user}};
}
