#pragma once

#include <QKeyCombination>
#include <QList>
#include <QString>

// One command of the program: its id, menu text, status prompt (status text, then after a line
// break the tool tip), keys, and where it stands in the main menu ("&Ansicht/&Links" names a sub
// menu; empty for commands that no menu shows).
struct KivCommandDef
{
    int id;
    QString text;
    QString prompt;
    QList<QKeyCombination> keys;
    QString menu;
    bool separatorBefore = false;
};

// A tool bar of the frame: its object name, title and command ids (0 = separator).
struct KivToolBarLayout
{
    QString objectName;
    QString title;
    QList<int> buttons;
};

// The command table of the main frame as data: every command with text, prompt and keys, and the
// frame's four tool bars. Menus, tool bars, shortcuts and their tests are built from it.
namespace KivCommandTable {

enum Id : int {
    OpenFile = 32972,
    Print = 57607,
    PrintPreview = 57609,
    PrintSetup = 57606,
    Exit = 57665,
    ShowCatalog = 32948,
    ScanMedium = 32952,
    ShowToImport = 32949,
    ShowInList = 32951,
    InsertInList = 33039,
    InsertInPlaylist = 33082,
    Rename = 33079,
    TagEditor1 = 33042,
    TagEditor2 = 33044,
    NewFolder = 32950,
    DeleteFiles = 32953,
    SelectAll = 57642,
    ClearSelection = 57633,
    Copy = 57634,
    Cut = 57635,
    Paste = 57637,
    FilterDefine = 33024,
    OfflineCds = 33030,
    OnlineMedia = 33022,
    Play = 32955,
    Stop = 32956,
    Pause = 32957,
    FastForward = 32958,
    FastRewind = 32959,
    Previous = 32960,
    Next = 32961,
    VolumeUp = 32962,
    VolumeDown = 32963,
    SleepTimer = 33031,
    UserAdmin = 32823,
    Connection = 32771,
    Settings = 33028,
    LabelEdit = 32879,
    DragDrop = 32880,
    QuickImport = 32884,
    BackgroundPicture = 32887,
    LeftTree = 32911,
    LeftFiles = 32919,
    LeftTag = 32918,
    LeftPlaylist = 33080,
    LeftTreeAndFiles = 32912,
    LeftFilesAndFiles = 32913,
    LeftTagAndFiles = 32917,
    LeftPlaylistAndFiles = 33091,
    RightStandard = 32914,
    RightTv = 32915,
    RightFiles = 32916,
    ToolBarToggle = 59392,
    StatusBarToggle = 59393,
    SortAscending = 32954,
    SortDescending = 32923,
    LargeIcons = 32965,
    SmallIcons = 32966,
    Details = 32967,
    Categories = 32968,
    Manual = 33025,
    About = 57664,
    FocusList = 33036,
    FocusSearch = 33034,
    PlayerSource = 33081,
    ClearList = 33037,
    RemoveSelection = 33083,
    PlaylistNew = 33084,
    PlaylistOpen = 33085,
    PlaylistSaveAs = 33086,
    ViewA = 33062,
    ViewB = 33059,
    ViewC = 33060,
    ViewD = 33061,
    Rating1 = 33067,
    Rating5 = 33071,
    BoundToTree = 33050,
    Customize = 32770,
    SortField = 33023,
    SwitchUser = 57600,
    FileOpen = 57601,
    FileSave = 57603,
    Undo = 57643,
};

// Every command in menu order.
const QList<KivCommandDef> &commands();
// The command of id, or null.
const KivCommandDef *find(int id);
// The main menus in the order of the menu bar.
QStringList menuOrder();
// "Standard", "Edit", "Ansicht" and "Filter".
const QList<KivToolBarLayout> &toolBars();

// The eight left layout commands in the order of their codes 1..8, and the three right ones.
const QList<int> &leftLayoutCommands();
const QList<int> &rightLayoutCommands();

} // namespace KivCommandTable
