-- Melvora catalog, SQLite. IDs are assigned by the database and never reused (AUTOINCREMENT).
-- Text columns are VARCHAR without a length: SQLite stores them whole, with no limit, and the
-- ODBC driver reports a small column size for them (for TEXT it reports 64 KB, which readers
-- then reserve and clear for every value). Statements end with a semicolon at the end of a line;
-- a trigger's body ends with a line "END;".

CREATE TABLE Benutzer (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Benutzername VARCHAR,
    Vorname VARCHAR,
    Name VARCHAR,
    Email VARCHAR,
    Passwort VARCHAR
);

CREATE TABLE MedienNamen (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Mediumname VARCHAR,
    CDRomID INTEGER
);
CREATE UNIQUE INDEX MedienNamen_Mediumname ON MedienNamen (Mediumname);

CREATE TABLE MedienUser (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    MediumID INTEGER,
    UserID INTEGER,
    Computername VARCHAR,
    DriveType INTEGER,
    Drive VARCHAR,
    Path VARCHAR,
    Offline INTEGER
);
CREATE INDEX MedienUser_MediumID_UserID ON MedienUser (MediumID, UserID);
CREATE INDEX MedienUser_UserID ON MedienUser (UserID);

CREATE TABLE CDs (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    MediumID INTEGER,
    HasHeaderFile INTEGER,
    HasVolumeSize INTEGER,
    VolumeSize VARCHAR
);
CREATE INDEX CDs_VolumeSize ON CDs (VolumeSize);
CREATE INDEX CDs_MediumID ON CDs (MediumID);

CREATE TABLE Folder (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Mediumname VARCHAR,
    SubPath VARCHAR,
    ParentID INTEGER,
    CreationTime TIMESTAMP,
    IsImportFolder INTEGER
);
CREATE UNIQUE INDEX Folder_Mediumname_SubPath ON Folder (Mediumname, SubPath);
CREATE INDEX Folder_Mediumname_ParentID ON Folder (Mediumname, ParentID);

CREATE TABLE Mp3s (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Anlegedatum TIMESTAMP,
    Title VARCHAR,
    Artist VARCHAR,
    ArtistID INTEGER,
    Album VARCHAR,
    TrackNr INTEGER,
    Year VARCHAR,
    Genre INTEGER,
    GenreName VARCHAR,
    Frames INTEGER,
    Length INTEGER,
    MpegVersion INTEGER,
    MpegLayer INTEGER,
    HasCRC INTEGER,
    BitRate INTEGER,
    SampleRate INTEGER,
    Emphasis INTEGER,
    Copyright INTEGER,
    Original INTEGER,
    SearchIndex VARCHAR,
    Filename VARCHAR,
    Mediumname VARCHAR,
    MediumSubPathFilename VARCHAR,
    SubPath VARCHAR,
    Comment VARCHAR,
    ChannelMode INTEGER,
    Bewertung INTEGER,
    FolderID INTEGER,
    FileSize INTEGER,
    Validity INTEGER,
    CreationTime TIMESTAMP,
    ImportID INTEGER
);
CREATE UNIQUE INDEX Mp3s_MediumSubPathFilename ON Mp3s (MediumSubPathFilename);
CREATE INDEX Mp3s_Mediumname_FolderID ON Mp3s (Mediumname, FolderID);
CREATE INDEX Mp3s_FolderID ON Mp3s (FolderID);
CREATE INDEX Mp3s_ImportID ON Mp3s (ImportID);

-- Substring searches on SearchIndex: a trigram full-text index over the column, kept in step by
-- triggers (an external-content table: the texts stay only in Mp3s). Without positions
-- (detail none) it costs a third less to write and to store; the search keeps its LIKE on the
-- rows, so the hits stay exact. An update that leaves the search index as it was costs the index
-- nothing.
CREATE VIRTUAL TABLE Mp3s_SearchIndex_fts USING fts5(SearchIndex, content='Mp3s', content_rowid='ID', tokenize='trigram', detail='none');
CREATE TRIGGER Mp3s_SearchIndex_fts_insert AFTER INSERT ON Mp3s BEGIN
    INSERT INTO Mp3s_SearchIndex_fts (rowid, SearchIndex) VALUES (new.ID, new.SearchIndex);
END;
CREATE TRIGGER Mp3s_SearchIndex_fts_delete AFTER DELETE ON Mp3s BEGIN
    INSERT INTO Mp3s_SearchIndex_fts (Mp3s_SearchIndex_fts, rowid, SearchIndex) VALUES ('delete', old.ID, old.SearchIndex);
END;
CREATE TRIGGER Mp3s_SearchIndex_fts_update AFTER UPDATE OF ID, SearchIndex ON Mp3s
WHEN old.ID IS NOT new.ID OR old.SearchIndex IS NOT new.SearchIndex BEGIN
    INSERT INTO Mp3s_SearchIndex_fts (Mp3s_SearchIndex_fts, rowid, SearchIndex) VALUES ('delete', old.ID, old.SearchIndex);
    INSERT INTO Mp3s_SearchIndex_fts (rowid, SearchIndex) VALUES (new.ID, new.SearchIndex);
END;

CREATE TABLE Import (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    SourceMedium VARCHAR,
    DestMedium VARCHAR,
    Anlegedatum TIMESTAMP,
    DestFilename VARCHAR,
    DestSubPath VARCHAR,
    SourceFilename VARCHAR,
    SourceSubPath VARCHAR
);
CREATE INDEX Import_SourceMedium ON Import (SourceMedium);
CREATE INDEX Import_DestMedium ON Import (DestMedium);

CREATE TABLE Interpreten (
    InterpretID INTEGER PRIMARY KEY AUTOINCREMENT,
    Interpret VARCHAR,
    Zusatz VARCHAR
);

-- One row: the layout of these tables and the program version that created them, so that a
-- computer running another version can tell which one the catalog expects.
CREATE TABLE KatalogVersion (
    SchemaVersion INTEGER,
    ProgramVersion VARCHAR
);
