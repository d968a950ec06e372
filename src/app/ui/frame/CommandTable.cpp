#include "app/ui/frame/CommandTable.h"

#include <QStringList>

namespace KivCommandTable {

namespace {

constexpr Qt::KeyboardModifiers Num = Qt::KeypadModifier;

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

KivCommandDef cmd(int id, const char16_t *text, const char16_t *prompt, QList<QKeyCombination> keys = {},
                  const char16_t *menu = u"", bool separatorBefore = false)
{
    return KivCommandDef{id, s(text), s(prompt), std::move(keys), s(menu), separatorBefore};
}

QList<KivCommandDef> buildCommands()
{
    const char16_t *file = u"&Datei";
    const char16_t *edit = u"&Bearbeiten";
    const char16_t *view = u"&Ansicht";
    const char16_t *left = u"&Ansicht/&Links";
    const char16_t *right = u"&Ansicht/&Rechts";
    const char16_t *filter = u"Filter";
    const char16_t *control = u"&Steuerung";
    const char16_t *extras = u"Zubehör";
    const char16_t *options = u"&Einstellungen";
    const char16_t *help = u"&?";
    const bool sep = true;
    return {
        // Datei
        cmd(OpenFile, u"Datei von Festplatte Öffnen...", u"Öffnet eine Import oder Export Datei.\nDatei öffnen", {},
            file),
        cmd(ShowCatalog, u"Katalog Anzeigen", u"Öffnet den Medienkatalog.\nMedienkatalog", {}, file),
        cmd(Print, u"Drucken", u"Druckt die angezeigte Liste.\nDrucken", {Qt::CTRL | Qt::Key_P}, file, sep),
        cmd(PrintPreview, u"Druckvorschau", u"Zeigt die Liste so an, wie sie gedruckt wird.\nDruckvorschau", {},
            file),
        cmd(PrintSetup, u"Drucker&einrichtung...", u"Ändert die Druckereinstellungen.\nDruckereinrichtung", {},
            file),
        cmd(SwitchUser, u"Benutzer wechseln", u"Öffnet einen anderen Benutzer.\nBenutzer wechseln",
            {Qt::CTRL | Qt::Key_N}, file, sep),
        cmd(Exit, u"&Beenden", u"Beendet das Programm.\nBeenden", {}, file, sep),
        // Bearbeiten
        cmd(ScanMedium, u"Medium nach Mp3s durchsuchen", u"Mp3's aus ausgewähten Ordner importieren.\nDurchsuchen",
            {}, edit),
        cmd(ShowToImport, u"Zu Importierende Mp3's Anzeigen",
            u"Zeigt alle Import Mp3s des ausgewählten Mediums an.\nImport Mp3's", {}, edit),
        cmd(ShowInList, u"Mp3's in Liste Anzeigen", u"Zeigt alle Mp3's im ausgewählten Ordner an.\nIn Liste anzeigen",
            {}, edit),
        cmd(InsertInList, u"Mp3's in Liste Einfügen",
            u"Fügt die Mp3's der ausgewählten Einträge der Liste hinzu.\nIn Liste einfügen", {}, edit),
        cmd(InsertInPlaylist, u"Mp3's in Playlist Einfügen",
            u"Fügt die Mp3's der ausgewählten Einträge der Playlist hinzu.\nIn Playlist einfügen", {Qt::Key_F3}, edit),
        cmd(Rename, u"Mp3's Umbenennen", u"Benennt die ausgewählten Mp3's um.\nUmbenennen", {}, edit, sep),
        cmd(TagEditor1, u"Tag's Bearbeiten I", u"Bearbeitet die Tags der ausgewählten Mp3's.\nTag's Bearbeiten I",
            {Qt::Key_F4, Qt::CTRL | Qt::Key_B}, edit),
        cmd(TagEditor2, u"Tag's Bearbeiten II",
            u"Setzt die Tags der ausgewählten Mp3's aus ihren Dateinamen.\nTag's Bearbeiten II", {}, edit),
        cmd(NewFolder, u"Neuen Ordner Erstellen", u"Erstellt einen neuen Ordner auf dem Medium.\nNeuer Ordner", {},
            edit, sep),
        cmd(DeleteFiles, u"Ordner/Datei(n) von Festplatte löschen",
            u"Löscht die ausgewählten Dateien oder Ordner von der Festplatte.\nLöschen", {}, edit),
        cmd(SelectAll, u"Alles Markieren", u"Markiert alle Einträge der Liste.\nAlles markieren", {}, edit, sep),
        cmd(ClearSelection, u"Markierung löschen", u"Entfernt die markierten Einträge.\nMarkierung löschen",
            {QKeyCombination(Qt::Key_Delete)}, edit),
        cmd(Copy, u"Kopieren", u"Kopiert die Markierung in die Zwischenablage.\nKopieren",
            {Qt::CTRL | Qt::Key_C, Qt::CTRL | Qt::Key_Insert}, edit, sep),
        cmd(Cut, u"Ausschneiden", u"Schneidet die Markierung aus und legt sie in die Zwischenablage.\nAusschneiden",
            {Qt::SHIFT | Qt::Key_Delete}, edit),
        cmd(Paste, u"Einfügen", u"Fügt den Inhalt der Zwischenablage ein.\nEinfügen", {Qt::SHIFT | Qt::Key_Insert},
            edit),
        // Ansicht
        cmd(LeftTreeAndFiles, u"Baum u. Datei Ansicht", u"Zeigt links den Baum und die Dateien an.\nBaum u. Datei",
            {}, left),
        cmd(LeftFilesAndFiles, u"Datei u. Datei Ansicht",
            u"Zeigt links zweimal Ordner und Dateien an.\nDatei u. Datei", {}, left),
        cmd(LeftTagAndFiles, u"Tag und Datei Ansicht",
            u"Zeigt links die Tag Anzeige und die Dateien an.\nTag und Datei", {}, left),
        cmd(LeftPlaylistAndFiles, u"Playlist u. Dateiansicht",
            u"Zeigt links die Playlist und die Dateien an.\nPlaylist u. Datei", {}, left),
        cmd(LeftTree, u"Baum Ansicht", u"Zeigt links den Baum der Medien an.\nBaum Ansicht", {Qt::Key_F5}, left, sep),
        cmd(LeftFiles, u"Datei Ansicht", u"Zeigt links Ordner und Dateien an.\nDatei Ansicht", {Qt::Key_F6}, left),
        cmd(LeftTag, u"Tag  Ansicht", u"Zeigt links die Tag Anzeige an.\nTag Ansicht", {Qt::Key_F7}, left),
        cmd(LeftPlaylist, u"Playlist I Ansicht", u"Zeigt links die Playlist an.\nPlaylist Ansicht", {Qt::Key_F8}, left),
        cmd(RightStandard, u"Mp3 Liste (Standard)", u"Zeigt rechts die Standard Mp3 Liste an.\nMp3 Liste (Standard)",
            {Qt::Key_F9}, right),
        cmd(RightTv, u"Mp3 Liste (TV)", u"Zeigt rechts die TV Mp3 Liste an.\nMp3 Liste (TV)", {Qt::Key_F10}, right),
        cmd(RightFiles, u"Datei Ansicht", u"Zeigt rechts Ordner und Dateien an.\nDatei Ansicht", {}, right),
        cmd(ToolBarToggle, u"&Symbolleiste", u"Blendet die Symbolleiste ein oder aus.\nSymbolleiste", {}, view, sep),
        cmd(StatusBarToggle, u"S&tatusleiste", u"Blendet die Statusleiste ein oder aus.\nStatusleiste", {}, view),
        cmd(SortAscending, u"Aufsteigend Sortieren ", u"Sortiert aufsteigend.\nAufsteigend", {}, view, sep),
        cmd(SortDescending, u"Absteigend Sortieren", u"Sortiert absteigend.\nAbsteigend", {}, view),
        cmd(LargeIcons, u"Große Symbole", u"Zeigt die Dateien mit großen Symbolen an.\nGroße Symbole", {}, view, sep),
        cmd(SmallIcons, u"Kleine Symbole", u"Zeigt die Dateien mit kleinen Symbolen an.\nKleine Symbole", {}, view),
        cmd(Details, u"Detailansicht", u"Zeigt die Dateien mit allen Angaben an.\nDetailansicht", {}, view),
        cmd(Categories, u"Kategorieansicht", u"Gruppiert die Mp3 Liste nach Kategorien.\nKategorieansicht", {}, view),
        // Filter
        cmd(FilterDefine, u"Definieren", u"Öffnet das Dialogfeld Filter\nFilter definieren", {}, filter),
        cmd(OfflineCds, u"Offline CD's", u"Zeigt Offline CD's im CD-Manager an\nOffline CD's", {}, filter),
        cmd(OnlineMedia, u"Online Medien", u"Zeigt nur Online-Mp3's an\nOnline Medien", {}, filter),
        // Steuerung
        cmd(Play, u"Play", u"Abspielen\nAbspielen", {Num | Qt::Key_5}, control),
        cmd(Stop, u"Stop", u"Stop\nStop", {Num | Qt::Key_0}, control),
        cmd(Pause, u"Pause", u"Pause\nPause", {Num | Qt::Key_Comma, Num | Qt::Key_Period},
            control),
        cmd(FastForward, u"FastForward", u"Schneller Vorlauf\nSchneller Vorlauf", {Num | Qt::Key_6}, control),
        cmd(FastRewind, u"FastRewind", u"Schneller Rücklauf\nSchneller Rücklauf", {Num | Qt::Key_4}, control),
        cmd(Previous, u"Preview", u"Vorhergehendes Mp3 abspielen\nVorhergehendes Mp3 abspielen", {Num | Qt::Key_2}, control),
        cmd(Next, u"Next", u"Nächstes Mp3 abspielen\nNächstes Mp3 abspielen", {Num | Qt::Key_8}, control),
        // The keypad minus makes it louder and the plus quieter, as users of the program know it.
        cmd(VolumeUp, u"Vol +", u"Lauter\nLauter", {Num | Qt::Key_Minus}, control),
        cmd(VolumeDown, u"Vol -", u"Leiser\nLeiser", {Num | Qt::Key_Plus}, control),
        // Zubehör
        cmd(SleepTimer, u"Sleep Timer", u"Slepp-Timer\nSleep Timer", {}, extras),
        // Einstellungen
        cmd(UserAdmin, u"Benutzeverwaltung", u"Zeigt die Benutzerverwaltung an.\nBenutzerverwaltung", {}, options),
        cmd(Connection, u"Datenbankverbindung", u"Zeigt die Verbindungseinstellungen an\nVerbindungseinstellungen", {},
            options),
        cmd(Settings, u"Programmeinstellungen", u"Zeigt den Setupdialog an\nProgrammeinstellungen", {}, options),
        cmd(LabelEdit, u"Labels Bearbeiten", u"Erlaubt das Umbenennen in den Listen.\nLabels Bearbeiten", {}, options,
            sep),
        cmd(DragDrop, u"Drag && Drop", u"Erlaubt das Ziehen von Einträgen mit der Maus.\nDrag && Drop", {}, options),
        cmd(QuickImport, u"Mp3 QuickImport", u"Liest beim Durchsuchen nur die Tags.\nMp3 QuickImport", {}, options),
        cmd(BackgroundPicture, u"Hintergrundbild", u"Zeigt das Hintergrundbild der Liste an.\nHintergrundbild", {},
            options),
        // ?
        cmd(Manual, u"Handbuch", u"Zeigt das Handbuch an.\nHandbuch", {}, help),
        cmd(About, u"Über Melvora...", u"Zeigt Informationen über das Programm an.\nÜber Melvora", {}, help, sep),
        // Without a main menu entry: keys, tool bars and context menus.
        cmd(FocusList, u"Focus Mp3liste", u"Setzt den Fokus in die Mp3 Liste.\nFocus Mp3liste", {Qt::Key_F2}),
        cmd(FocusSearch, u"Focus Suchfeld", u"Setzt den Fokus in das Suchfeld.\nFocus Suchfeld", {Qt::Key_F1}),
        cmd(PlayerSource, u"Quelle", u"AudioQuelle umschalten\nAudioQuelle umschalten"),
        cmd(ClearList, u"Alle Mp3's aus Liste löschen", u"Entfernt alle Mp3's aus der Liste.\nListe leeren"),
        cmd(RemoveSelection, u"Auswahl aus Liste löschen", u"Entfernt die Auswahl aus der Playlist.\nAuswahl löschen"),
        cmd(PlaylistNew, u"Playlist Neu", u"Legt eine neue Playlist an.\nPlaylist Neu"),
        cmd(PlaylistOpen, u"Playlist Öffnen ...", u"Öffnet eine Playlist.\nPlaylist Öffnen"),
        cmd(PlaylistSaveAs, u"Playlist Speichern unter ...", u"Speichert die Playlist unter einem neuen Namen.\n"
                                                              u"Playlist Speichern"),
        cmd(ViewA, u"Ansicht A", u"Zeigt die Spalten der Ansicht A.\nAnsicht A"),
        cmd(ViewB, u"Ansicht B", u"Zeigt die Spalten der Ansicht B.\nAnsicht B"),
        cmd(ViewC, u"Ansicht C", u"Zeigt die Spalten der Ansicht C.\nAnsicht C"),
        cmd(ViewD, u"Ansicht D", u"Zeigt die Spalten der Ansicht D.\nAnsicht D"),
        cmd(Rating1, u"Bewertung 1", u"Bewertet die Auswahl mit 1.\nBewertung 1"),
        cmd(33068, u"Bewertung 2", u"Bewertet die Auswahl mit 2.\nBewertung 2"),
        cmd(33069, u"Bewertung 3", u"Bewertet die Auswahl mit 3.\nBewertung 3"),
        cmd(33070, u"Bewertung 4", u"Bewertet die Auswahl mit 4.\nBewertung 4"),
        cmd(Rating5, u"Bewertung 5", u"Bewertet die Auswahl mit 5.\nBewertung 5"),
        cmd(BoundToTree, u"An Baumansicht gebunden", u"Fileliste an Baumansicht binden\nAn Baumansicht gebunden"),
        cmd(Customize, u"&Anpassen...", u"Passt Symbolleisten, Tastatur und Menüs an.\nAnpassen"),
        cmd(SortField, u"Filter-Sortierung", u"Sortiert alle Datenbankabfragen nach diesem Feld\nFilter-Sortierung"),
        cmd(FileOpen, u"&Öffnen...", u"Öffnet eine Datei.\nÖffnen", {Qt::CTRL | Qt::Key_O}),
        cmd(FileSave, u"&Speichern", u"Speichert die Datei.\nSpeichern", {Qt::CTRL | Qt::Key_S}),
        cmd(Undo, u"&Rückgängig", u"Macht die letzte Aktion rückgängig.\nRückgängig", {Qt::CTRL | Qt::Key_Z}),
    };
}

} // namespace

const QList<KivCommandDef> &commands()
{
    static const QList<KivCommandDef> table = buildCommands();
    return table;
}

const KivCommandDef *find(int id)
{
    for (const KivCommandDef &def : commands()) {
        if (def.id == id)
            return &def;
    }
    return nullptr;
}

QStringList menuOrder()
{
    return {QStringLiteral("&Datei"), QStringLiteral("&Bearbeiten"), QStringLiteral("&Ansicht"),
            QStringLiteral("Filter"), QStringLiteral("&Steuerung"), QString::fromUtf16(u"Zubehör"),
            QStringLiteral("&Einstellungen"), QStringLiteral("&?")};
}

const QList<KivToolBarLayout> &toolBars()
{
    static const QList<KivToolBarLayout> bars{
        {QStringLiteral("Standard"), QStringLiteral("Standard"),
         {OpenFile, 0, ShowCatalog, 0, LeftTreeAndFiles, LeftTree, LeftPlaylist, 0, RightStandard, RightTv, RightFiles, 0,
          Previous, FastRewind, Stop, Pause, Play, FastForward, Next, 0, VolumeUp, VolumeDown, 0, Manual}},
        {QStringLiteral("Edit"), QStringLiteral("Edit"),
         {NewFolder, 0, Cut, Copy, Paste, 0, DeleteFiles, 0, TagEditor1, TagEditor2, Rename}},
        {QStringLiteral("Ansicht"), QStringLiteral("Ansicht"),
         {SortAscending, SortDescending, 0, LargeIcons, SmallIcons, Details, Categories}},
        {QStringLiteral("Filter"), QStringLiteral("Filter"), {OnlineMedia, OfflineCds, FilterDefine, 0, SortField}},
    };
    return bars;
}

const QList<int> &leftLayoutCommands()
{
    static const QList<int> ids{LeftTree,         LeftFiles,         LeftTag,         LeftPlaylist,
                                LeftTreeAndFiles, LeftFilesAndFiles, LeftTagAndFiles, LeftPlaylistAndFiles};
    return ids;
}

const QList<int> &rightLayoutCommands()
{
    static const QList<int> ids{RightStandard, RightTv, RightFiles};
    return ids;
}

} // namespace KivCommandTable
