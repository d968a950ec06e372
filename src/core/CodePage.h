#pragma once

#include "core/ProfileStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text code page of ID3v1 tags. ID3v1 has no encoding field, and collections from other
// countries hold tags in Windows-1251, KOI8-R, ISO-8859-2 and other 8-bit code pages. "Automatisch"
// keeps the rule of the binary text slots (UTF-8 when valid, else Windows-1252); any other entry
// reads and writes every ID3v1 text in that code page (a character it cannot hold becomes "?").
//
// The code page in use is one value of the process, set from the user's setting at login and when
// the setting changes; readers on worker threads see it atomically.
namespace KivCodePage {

// "Automatisch".
QString automatic();
// "Automatisch" followed by the 8-bit code pages offered, by their usual names.
QStringList names();
bool isKnown(const QString &name);

// Text in the code page (automatic: the binary slot rule); unknown names count as automatic.
QByteArray encode(const QString &text, const QString &codePage);
QString decode(const QByteArray &bytes, const QString &codePage);

// The user's stored choice in the profile store: section user name + "\Tags", key "ID3v1CodePage";
// "Automatisch" when none is stored.
QString storedId3v1(const QString &userName, CKivProfileStore &store = CKivProfileStore::defaultStore());
void storeId3v1(const QString &userName, const QString &codePage,
                CKivProfileStore &store = CKivProfileStore::defaultStore());

// The code page of ID3v1 texts for this process; an unknown name selects "Automatisch".
void setId3v1(const QString &codePage);
QString id3v1();

// An ID3v1 text slot: read up to its first zero byte; written zero-padded, a text of exactly the
// slot's size filling it without a zero, cut at a character boundary when longer.
QString readId3v1Slot(const char *slot, int size);
void writeId3v1Slot(char *slot, int size, const QString &text);

} // namespace KivCodePage
