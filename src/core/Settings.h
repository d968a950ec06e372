#pragma once

#include "core/SetupRecord.h"

#include <QMutex>
#include <QString>

#include <optional>

class CKivProfileStore;

// The program's settings: one getter and one setter per profile value, the per-user section names,
// the colour mode, and the import of the installation hand-over record. Setters write through at once.
// Per-user sections are named after the stored "User"/"Benutzername", read anew each time.
class CKivSettings
{
public:
    CKivSettings();                                  // the user's default profile store
    explicit CKivSettings(CKivProfileStore &store);  // another store (tests, tools)

    CKivProfileStore &store() const { return *m_store; }

    // Catalog connection
    QString GetOdbcAliasname() const { return global("ODBC", "Aliasname"); }
    void SetOdbcAliasname(const QString &v) { setGlobal("ODBC", "Aliasname", v); }
    QString GetOdbcUsername() const { return global("ODBC", "Username"); }
    void SetOdbcUsername(const QString &v) { setGlobal("ODBC", "Username", v); }
    QString GetOdbcPasswort() const { return global("ODBC", "Passwort"); }
    void SetOdbcPasswort(const QString &v) { setGlobal("ODBC", "Passwort", v); }

    // Folders
    QString GetFolderProgram() const { return global("Folder", "Program"); }
    void SetFolderProgram(const QString &v) { setGlobal("Folder", "Program", v); }
    QString GetFolderDatenbank() const { return global("Folder", "Datenbank"); }
    void SetFolderDatenbank(const QString &v) { setGlobal("Folder", "Datenbank", v); }
    QString GetFolderHelpFiles() const { return global("Folder", "HelpFiles"); }
    void SetFolderHelpFiles(const QString &v) { setGlobal("Folder", "HelpFiles", v); }
    QString GetFolderCDs() const { return global("Folder", "CDs"); }
    void SetFolderCDs(const QString &v) { setGlobal("Folder", "CDs", v); }
    QString GetCdDrive() const { return global("FS", "CD_Drive"); }
    void SetCdDrive(const QString &v) { setGlobal("FS", "CD_Drive", v); }

    // Last user selected in a login list; names every per-user section
    QString GetUserName() const { return global("User", "Benutzername"); }
    void SetUserName(const QString &v) { setGlobal("User", "Benutzername", v); }

    QString GetMp3SortOrder() const { return global("Datenbank", "Mp3SortOrder"); }
    void SetMp3SortOrder(const QString &v) { setGlobal("Datenbank", "Mp3SortOrder", v); }

    // Standard MP3 list
    int GetNormalFlags() const { return userInt("Normal", "Flags", 3); }
    void SetNormalFlags(int v) { setUserInt("Normal", "Flags", v); }
    QString GetNormalBm() const { return user("Normal", "Bm"); }
    void SetNormalBm(const QString &v) { setUser("Normal", "Bm", v); }
    QString GetNormalColor1() const { return user("Normal", "Color1", "16777215"); }
    void SetNormalColor1(const QString &v) { setUser("Normal", "Color1", v); }
    QString GetNormalColor2() const { return user("Normal", "Color2", "0"); }
    void SetNormalColor2(const QString &v) { setUser("Normal", "Color2", v); }
    int GetNormalAnsicht() const { return userInt("Normal", "Ansicht", 0); }
    void SetNormalAnsicht(int v) { setUserInt("Normal", "Ansicht", v); }

    // TV MP3 list
    int GetTvFlags() const { return userInt("TV", "Flags", 3); }
    void SetTvFlags(int v) { setUserInt("TV", "Flags", v); }
    QString GetTvBm() const { return user("TV", "Bm"); }
    void SetTvBm(const QString &v) { setUser("TV", "Bm", v); }
    QString GetTvColor1() const { return user("TV", "Color1", "16777215"); }
    void SetTvColor1(const QString &v) { setUser("TV", "Color1", v); }
    QString GetTvColor2() const { return user("TV", "Color2", "0"); }
    void SetTvColor2(const QString &v) { setUser("TV", "Color2", v); }

    // Folder and file views
    int GetFileListFlags() const { return userInt("FileList", "Flags", 1); }
    void SetFileListFlags(int v) { setUserInt("FileList", "Flags", v); }

    // Playlist
    QString GetPlaylistFilename() const { return user("Playlist", "Filename"); }
    void SetPlaylistFilename(const QString &v) { setUser("Playlist", "Filename", v); }
    int GetPlaylistFlags() const { return userInt("Playlist", "Flags", 3); }
    void SetPlaylistFlags(int v) { setUserInt("Playlist", "Flags", v); }
    QString GetPlaylistBm() const { return user("Playlist", "Bm"); }
    void SetPlaylistBm(const QString &v) { setUser("Playlist", "Bm", v); }
    QString GetPlaylistColor1() const { return user("Playlist", "Color1", "16777215"); }
    void SetPlaylistColor1(const QString &v) { setUser("Playlist", "Color1", v); }
    QString GetPlaylistColor2() const { return user("Playlist", "Color2", "0"); }
    void SetPlaylistColor2(const QString &v) { setUser("Playlist", "Color2", v); }

    // Colours in force for every view
    // The search field searches while the user types (1, the default) or only on Enter (0).
    int GetSearchWhileTyping() const { return userInt("Suche", "WaehrendEingabe", 1); }
    void SetSearchWhileTyping(int v) { setUserInt("Suche", "WaehrendEingabe", v); }

    QString GetColorColor1() const { return user("Color", "Color1", "16777215"); }
    void SetColorColor1(const QString &v) { setUser("Color", "Color1", v); }
    QString GetColorColor2() const { return user("Color", "Color2", "0"); }
    void SetColorColor2(const QString &v) { setUser("Color", "Color2", v); }
    QString GetColorMode() const { return user("Color", "Mode", "Normal"); }
    void SetColorMode(const QString &v) { setUser("Color", "Mode", v); }

    // Tag from file name: the five separators and fields of the pattern (index 1..5)
    QString GetTagFilenameFilter(int index) const;
    void SetTagFilenameFilter(int index, const QString &v);
    QString GetTagFilenameField(int index) const;
    void SetTagFilenameField(int index, const QString &v);

    // Section of the logged-in user: user name + "\" + name.
    QString UserSection(const QString &name) const;
    // Section of the standard list's column arrangement: user name + "\" + view number + "V2".
    QString ColumnProfileName() const;

    void ApplyNormalColors();
    void ApplyTvColors();
    bool IsNormalColorMode() const;

    // A colour text as a number: lowest byte red, then green, then blue; text that is no number is 0.
    static quint32 ColorValue(const QString &text);
    static QString ColorText(quint32 value) { return QString::number(value); }

    // Imports "Setup.ini" from the start folder into the store; see the hand-over rules.
    bool ImportSetupRecord();
    // Reads "Setup.ini" into the record buffer without writing any profile value.
    std::optional<CKivSetupRecord> ReadSetupRecord();
    // Deletes "Setup.ini" from the start folder; true when a file was deleted.
    bool DeleteSetupRecord();

private:
    QString global(const char *section, const char *key, const char *def = "") const;
    void setGlobal(const char *section, const char *key, const QString &v);
    QString user(const char *section, const char *key, const char *def = "") const;
    void setUser(const char *section, const char *key, const QString &v);
    int userInt(const char *section, const char *key, int def) const;
    void setUserInt(const char *section, const char *key, int v);
    bool readRecordFile();

    CKivProfileStore *m_store;
    mutable QMutex m_recordMutex;
    CKivSetupRecord m_record;  // what the last hand-over import read
};
