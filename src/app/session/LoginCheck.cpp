#include "app/session/LoginCheck.h"

#include "catalog/PasswordHash.h"
#include "app/session/SessionLog.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"

namespace {

// Replaces a plain-text password that has just been typed correctly by its hash. A failure leaves the
// row as it was; the login stands.
void upgradeToHash(CRsBenutzer &user, const QString &typed)
{
    const std::optional<QString> hash = KivPassword::Hash(typed);
    if (!hash || !user.Edit())
        return;
    user.m_Passwort = *hash;
    if (!user.Update())
        qCWarning(lcSession).noquote() << "Storing the hashed password of user" << user.m_ID
                                        << "failed:" << user.lastError();
}

} // namespace

bool KivLogin::Verify(CKivDatabase &db, int userId, const QString &typed)
{
    if (userId == -1 || !db.IsOpen())
        return false;
    CRsBenutzer user(db);
    if (!user.OpenById(userId))
        return false;
    const QString stored = user.m_Passwort;
    if (!KivPassword::Verify(stored, typed))
        return false;
    if (!stored.isEmpty() && !KivPassword::IsHashed(stored))
        upgradeToHash(user, typed);
    return true;
}
