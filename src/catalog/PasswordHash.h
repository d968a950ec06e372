#pragma once

#include <QString>

#include <optional>

// The passwords of table Benutzer as salted, slow hashes (Argon2id in the text form that carries its
// own salt and cost). An empty password stays empty: it means "no password". A stored value that
// is no such hash is an old plain-text password and is compared as it stands.
namespace KivPassword {

enum class Cost {
    Interactive,  // the program's cost: about a tenth of a second and 64 MiB per hash
    Minimal,      // the least the library allows; for tests only
};

// The cost of hashes made from now on (verifying always uses the cost a hash carries).
void SetCost(Cost cost);
Cost GetCost();

// The value to store for a typed password: empty for an empty password, else a new hash. Nothing
// when the hash could not be made (out of memory); the caller must not store anything then.
std::optional<QString> Hash(const QString &password);

// Whether a stored value is a hash (rather than an old plain-text password).
bool IsHashed(const QString &stored);

// Whether typed is the password the stored value stands for: a hash is verified, a plain-text
// value compared exactly. A hash is never compared as text, so typing the hash itself fails.
bool Verify(const QString &stored, const QString &typed);

} // namespace KivPassword
