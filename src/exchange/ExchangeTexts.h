#pragma once

#include <QString>

// The texts the exchange shows to the user.
namespace KivExchangeTexts {

inline QString FileError() { return QStringLiteral("Beim Öffnen oder Speichern der Datei ist ein Fehler aufgetreten !"); }
inline QString FileErrorCaption() { return QStringLiteral("Warnung"); }
inline QString NothingToImport()
{
    return QStringLiteral("Keine Mp3's zum Importieren ausgewählt !\nVorgang wird abgebrochen.");
}
inline QString NothingToExport()
{
    return QStringLiteral("Keine Mp3's zum Exportieren ausgewählt !\nVorgang wird abgebrochen.");
}
inline QString NothingCaption() { return QStringLiteral("Warnung !"); }

// After a run in which n files could not be copied.
inline QString CopyFailures(int n)
{
    return n == 1 ? QStringLiteral("1 Datei konnte nicht kopiert werden.")
                  : QString::number(n) + QStringLiteral(" Dateien konnten nicht kopiert werden.");
}
inline QString CopyFailuresCaption() { return QStringLiteral("Warnung"); }

// Records of a friend's file whose paths would lead out of the chosen folders.
inline QString UnsafeRecords(const QString &names)
{
    return QStringLiteral("Die folgenden Einträge der Datei werden übersprungen, da ihr Pfad aus dem "
                          "gewählten Ordner hinausführt:\n")
         + names;
}
inline QString UnsafeRecordsCaption() { return QStringLiteral("Warnung !"); }

} // namespace KivExchangeTexts
