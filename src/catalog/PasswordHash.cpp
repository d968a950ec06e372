#include "catalog/PasswordHash.h"

#include "catalog/CatalogLog.h"

#include <QByteArray>

#include <sodium.h>

#include <atomic>

namespace {

std::atomic<KivPassword::Cost> g_cost{KivPassword::Cost::Interactive};

bool ensureSodium()
{
    // sodium_init is safe to call more than once and from several threads.
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

namespace KivPassword {

void SetCost(Cost cost)
{
    g_cost.store(cost);
}

Cost GetCost()
{
    return g_cost.load();
}

std::optional<QString> Hash(const QString &password)
{
    if (password.isEmpty())
        return QStringLiteral("");
    if (!ensureSodium()) {
        qCWarning(lcCatalog) << "The password library could not be initialised";
        return std::nullopt;
    }
    const bool minimal = GetCost() == Cost::Minimal;
    const unsigned long long ops = minimal ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE;
    const size_t mem = minimal ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE;
    QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    const int rc = crypto_pwhash_str(out, utf8.constData(), static_cast<unsigned long long>(utf8.size()), ops, mem);
    sodium_memzero(utf8.data(), static_cast<size_t>(utf8.size()));
    if (rc != 0) {
        qCWarning(lcCatalog) << "Hashing a password failed (out of memory)";
        return std::nullopt;
    }
    return QString::fromLatin1(out);
}

bool IsHashed(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2"));
}

bool Verify(const QString &stored, const QString &typed)
{
    if (!IsHashed(stored))
        return stored == typed;  // exact and case-sensitive; an empty value needs an empty field
    if (!ensureSodium())
        return false;
    const QByteArray hash = stored.toLatin1();
    QByteArray utf8 = typed.toUtf8();
    const int rc = crypto_pwhash_str_verify(hash.constData(), utf8.constData(),
                                            static_cast<unsigned long long>(utf8.size()));
    sodium_memzero(utf8.data(), static_cast<size_t>(utf8.size()));
    return rc == 0;
}

} // namespace KivPassword
