#include "app/ui/frame/DialogLauncher.h"

#include "app/ui/WidgetUi.h"
#include "app/ui/settings/SettingsSheet.h"
#include "browse/MelvoraDoc.h"
#include "browse/ui/filter/FilterDlg.h"
#include "browse/ui/filter/SortCombo.h"
#include "browse/MelvoraDoc.h"
#include "media/cd/CdManager.h"
#include "media/ui/ArchiveImportDlg.h"
#include "media/ui/CdMediumDlg.h"
#include "media/ui/MediaCatalogDlg.h"
#include "media/ui/MediumDlg.h"
#include "media/ui/ScanProgressDlg.h"

namespace KivDialogs {

bool runFilter(CKivFilter &filter, QWidget *parent)
{
    return CKivFilterDlg::Run(filter, parent);
}

std::function<bool(IKivMp3Filter &)> filterHook()
{
    return [](IKivMp3Filter &filter) { return CKivFilterDlg::RunFor(filter, CKivWidgetUi::owner()); };
}

QComboBox *createSortCombo(CKivFilter &filter, QWidget *parent)
{
    return new CKivSortCombo(filter, parent);
}

bool runSettings(CKivSettings &settings, QWidget *parent)
{
    return CKivSettingsSheet::Run(settings, parent);
}

bool runMedium(CKivMedium &medium, CMelvoraDoc &doc, QWidget *parent)
{
    return CKivMediumDlg::Run(medium, doc.GetDatabase(), parent);
}

void runMediaCatalog(CMelvoraDoc &doc, QWidget *parent)
{
    CKivMediaCatalogDlg dialog(doc, parent);
    dialog.exec();
}

void attachMediaDialogs(CMelvoraDoc &doc, QWidget *parent)
{
    doc.SetArchiveOpener([&doc, parent](const QString &path) { return CKivArchiveImportDlg::Import(doc, path, parent); });
    doc.GetCdManager()->SetDialogRunner([parent](CKivCdMediumForm &form) { return CKivCdMediumDlg::Run(form, parent); });
}

ScanProgress createScanProgress(CMelvoraDoc &doc, QWidget *parent)
{
    auto *window = new CKivScanProgressDlg([&doc] { return doc.GetScanList(); }, parent);
    QObject::connect(&doc, &CMelvoraDoc::scanStarted, window, &CKivScanProgressDlg::scanStarted);
    QObject::connect(&doc, &CMelvoraDoc::scanFinished, window, &CKivScanProgressDlg::scanEnded);
    return ScanProgress{window, [window] { window->refresh(); }, [window] { window->scanEnded(); }};
}

} // namespace KivDialogs
