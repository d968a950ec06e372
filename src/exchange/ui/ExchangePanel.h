#pragma once

#include "exchange/ExchangeForm.h"

#include <QWidget>

#include <functional>
#include <vector>

class CMelvoraDoc;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The fields, buttons and progress bar the standard MP3 list shows above its rows while it exchanges
// files with friends: "Speichern" and "Importieren" in "Import" mode, the volume and "Exportieren" in
// "Export" mode; hidden in normal mode. It mirrors a CKivExchangeForm and follows the document's
// hints (101 list replaced, 105 export file, 106 import list, 109 selection).
class CKivExchangePanel : public QWidget
{
    Q_OBJECT

public:
    using SelectedItems = std::function<std::vector<CKivMp3::Ptr>()>;
    // Asks for the path of a new import list; empty when cancelled.
    using SaveChooser = std::function<QString(QWidget *parent)>;

    // selected gives the list's selected items in row order; rowsChanged repaints the list's rows.
    CKivExchangePanel(CMelvoraDoc &doc, SelectedItems selected, std::function<void()> rowsChanged,
                      QWidget *parent = nullptr);

    CKivExchangeForm &form() { return m_form; }

    // Tests answer the file-save dialog without a window (an empty function restores the dialog).
    static void SetSaveChooser(SaveChooser chooser);

    // The buttons' handlers, as the buttons run them.
    void onSave();
    void onChooseVolume();
    void onExport();
    void onImport();

private:
    void onHint(int hint, const QVariant &payload);
    void showForm();
    void showProgress();

    CMelvoraDoc &m_doc;
    CKivExchangeForm m_form;
    SelectedItems m_selected;
    std::function<void()> m_rowsChanged;

    QWidget *m_band = nullptr;
    QLabel *m_bandTitle = nullptr;
    QLabel *m_bandCaption = nullptr;
    QLabel *m_bandText = nullptr;
    QLineEdit *m_fileName = nullptr;
    QLineEdit *m_sender = nullptr;
    QLabel *m_files = nullptr;
    QLabel *m_size = nullptr;
    QWidget *m_volumeRow = nullptr;
    QLineEdit *m_volumeSize = nullptr;
    QLabel *m_volumePath = nullptr;
    QPushButton *m_choose = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_import = nullptr;
    QPushButton *m_export = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_info = nullptr;
};
