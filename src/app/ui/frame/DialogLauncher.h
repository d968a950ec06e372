#pragma once

#include <functional>

class CKivFilter;
class CKivMedium;
class CKivSettings;
class CMelvoraDoc;
class IKivMp3Filter;
class QComboBox;
class QWidget;

// The one place where the frame opens the dialogs of the other parts of the program: the filter
// dialog, the tool bar's sort list, the settings sheet, the medium dialog, the media catalog, the
// archive import, the CD medium dialog and the scan progress window.
namespace KivDialogs {

// The filter dialog on filter; true when it was closed with OK.
bool runFilter(CKivFilter &filter, QWidget *parent);
// The same for the core's user interface, which hands over the filter it checked.
std::function<bool(IKivMp3Filter &)> filterHook();
// The combo box of the sort field ("Filter-Sortierung").
QComboBox *createSortCombo(CKivFilter &filter, QWidget *parent);
// The settings sheet; true when it was closed with OK.
bool runSettings(CKivSettings &settings, QWidget *parent);
// The medium dialog on medium; true when the user confirmed it and the medium was saved.
bool runMedium(CKivMedium &medium, CMelvoraDoc &doc, QWidget *parent);
// The media catalog "Katalog Anzeigen".
void runMediaCatalog(CMelvoraDoc &doc, QWidget *parent);
// Lets the document open medium archives and register new CDs through their dialogs.
void attachMediaDialogs(CMelvoraDoc &doc, QWidget *parent);

// The modeless window that shows a running scan.
struct ScanProgress
{
    QWidget *window = nullptr;
    std::function<void()> refresh;    // on every timer tick
    std::function<void()> scanEnded;  // once the scan has been taken over
};
ScanProgress createScanProgress(CMelvoraDoc &doc, QWidget *parent);

} // namespace KivDialogs
