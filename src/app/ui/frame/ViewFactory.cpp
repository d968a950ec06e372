#include "app/ui/frame/ViewFactory.h"

#include "browse/ui/folders/FileListFormView.h"
#include "browse/ui/folders/FileListTVFormView.h"
#include "browse/ui/folders/MedienFormView.h"
#include "browse/ui/lists/Mp3ListeBigFormView.h"
#include "browse/ui/lists/Mp3ListeFormView.h"
#include "exchange/ui/ExchangePanel.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// A labelled panel for the views that come with the player (player information, playlist).
QWidget *labelledPanel(const QString &caption, QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFocusPolicy(Qt::StrongFocus);
    auto *label = new QLabel(caption, panel);
    label->setAlignment(Qt::AlignCenter);
    label->setEnabled(false);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(label);
    return panel;
}

} // namespace

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
        view = labelledPanel(QStringLiteral("Player Anzeige"), parent);
        break;
    case 3:
        view = labelledPanel(QStringLiteral("Playlist"), parent);
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
