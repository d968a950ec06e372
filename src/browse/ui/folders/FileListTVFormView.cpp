#include "browse/ui/folders/FileListTVFormView.h"

CFileListTVFormView::CFileListTVFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                                         QWidget *parent)
    : CFileListFormView(doc, settings, commands, parent, QStringLiteral("Ordner u. Tateien"))
{
}
