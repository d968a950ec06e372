#pragma once

#include "mp3/item/Mp3Item.h"

#include <QObject>
#include <QString>

#include <vector>

class CMelvoraDoc;

// What the standard MP3 list shows and decides while it exchanges files with friends, without its
// widgets: the mode (normal, "Import", "Export"), the banner, the fields "Dateiname:", "Absender:",
// "Dateien:", "Größe:", "Volume Größe (MB):", "Volume Path:", the information text, the progress bar
// and which of "Speichern", "Importieren" and "Exportieren" may be pressed. It follows the document's
// MP3 list: a list of pending imports or of a friend's delivery puts it in "Import" mode, an opened
// import list in "Export" mode, any other list back to normal.
class CKivExchangeForm : public QObject
{
    Q_OBJECT

public:
    enum class Mode { Normal, Import, Export };

    explicit CKivExchangeForm(CMelvoraDoc &doc, QObject *parent = nullptr);

    Mode GetMode() const { return m_mode; }
    // "", "Import" or "Export".
    QString ModeText() const;

    QString BannerTitle() const { return m_bannerTitle; }
    QString BannerCaption() const { return m_bannerCaption; }
    QString BannerText() const { return m_bannerText; }
    // The banner's colour as the settings write colours (red + green * 256 + blue * 65536).
    static constexpr int BannerColor = 16436410;

    QString FileName() const { return m_fileName; }
    QString Sender() const { return m_sender; }
    QString Files() const { return m_files; }
    QString Size() const { return m_size; }
    QString VolumeSize() const { return m_volumeSize; }
    QString VolumePath() const { return m_volumePath; }
    QString Info() const { return m_info; }
    int ProgressMax() const { return m_progressMax; }
    int ProgressValue() const { return m_progressValue; }
    bool CanSave() const { return m_mode == Mode::Import && m_selected > 0 && !m_busy; }
    bool CanImport() const { return m_mode == Mode::Import && m_selected > 0 && !m_busy; }
    bool CanExport() const { return m_mode == Mode::Export && !m_volumePath.isEmpty() && !m_busy; }

    // --- what happens to the view
    // The document's MP3 list was replaced (hint 101).
    void OnListReplaced();
    // Opening an import list (hint 106) or an export file (hint 105).
    void OpenImportList(const QString &path);
    void OpenExportFile(const QString &path);
    // How many rows are selected now.
    void SetSelectionCount(int count);
    // The volume size edit lost the focus with this text: its leading digits (0 without any) + " MB".
    void VolumeSizeEdited(const QString &text);
    // The folder chosen with "..." (empty: cancelled).
    void ChooseVolumePath(const QString &path);

    // --- the buttons, on the selected items in row order
    // "Speichern" with the path from the file-save dialog; true when the list was written.
    bool Save(const QString &path, const std::vector<CKivMp3::Ptr> &selected);
    void ExportVolumes(const std::vector<CKivMp3::Ptr> &selected);
    void ImportSelected(const std::vector<CKivMp3::Ptr> &selected);

    // The volume size in MB as the edit shows it.
    qint64 VolumeSizeMb() const;

Q_SIGNALS:
    // Any field, the mode or an enabled state changed.
    void changed();
    // The progress bar moved during a run (the view repaints it at once).
    void progressed();
    // Files were imported: their rows look different now.
    void itemsChanged();

private:
    void enterImport();
    void enterExport();
    void enterNormal();
    void showListCounts();
    void setProgress(int value, int max);

    CMelvoraDoc &m_doc;
    Mode m_mode = Mode::Normal;
    bool m_opening = false;
    bool m_busy = false;
    int m_selected = 0;
    QString m_importListPath;
    QString m_bannerTitle;
    QString m_bannerCaption;
    QString m_bannerText;
    QString m_fileName;
    QString m_sender;
    QString m_files;
    QString m_size;
    QString m_volumeSize;
    QString m_volumePath;
    QString m_info;
    int m_progressMax = 0;
    int m_progressValue = 0;
};
