#pragma once

#include "browse/ui/folders/FileListFormView.h"

// "Ordner u. Tateien" (view entry 7, the right column's "Datei Ansicht"): the same file list in the
// layout with the tree beside it.
class CFileListTVFormView : public CFileListFormView
{
    Q_OBJECT

public:
    CFileListTVFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands, QWidget *parent);
};
