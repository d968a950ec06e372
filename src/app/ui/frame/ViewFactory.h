#pragma once

class CKivCommandRegistry;
class CKivSettings;
class CMelvoraDoc;
class QWidget;

// The views of the main frame's eight view entries: 0 media and folder tree, 1 folders and files,
// 2 player information, 3 playlist, 4 folders and files (lower row), 5 standard MP3 list, 6 TV MP3
// list, 7 folders and files of the right column. Each view connects to the document itself.
QWidget *KivCreateView(int entry, CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                       QWidget *parent);
