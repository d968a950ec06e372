#include "app/ui/frame/ViewFactory.h"

#include "browse/ui/folders/FileListFormView.h"
#include "browse/ui/folders/FileListTVFormView.h"
#include "browse/ui/folders/MedienFormView.h"
#include "browse/ui/lists/Mp3ListeBigFormView.h"
#include "browse/ui/lists/Mp3ListeFormView.h"
#include "playback/ui/AnzeigeFormView.h"
#include "playback/ui/PlaylistView.h"
#include "exchange/ui/ExchangePanel.h"

QWidget *KivCreateView(int entry, CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                       QWidget *parent)
{
    QWidget *view = nullptr;
    switch (entry) {
    case 0:
        view = new CKivMedienFormView(doc, settings, commands, parent);
        break;
    case 1:
    case 4:
        view = new CFileListFormView(doc, settings, commands, parent);
        break;
    case 2:
        view = new CKivAnzeigeFormViewA(doc, settings, parent);
        break;
    case 3:
        view = new CKivPlaylistView(doc, settings, commands, parent);
        break;
    case 5: {
        auto *list = new CKivMp3ListeFormView(doc, settings, commands, parent);
        list->addPanel(new CKivExchangePanel(
            doc, [list] { return list->selectedItems(); }, [list] { list->repaintRows(); }));
        view = list;
        break;
    }
    case 6:
        view = new CKivMp3ListeBigFormView(doc, settings, commands, parent);
        break;
    default:
        view = new CFileListTVFormView(doc, settings, commands, parent);
        break;
    }
    view->setObjectName(QStringLiteral("view%1").arg(entry));
    return view;
}
