#include "exchange/ExchangeForm.h"

#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "exchange/ExchangePaths.h"
#include "exchange/ExchangeReader.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/ExchangeWriter.h"
#include "exchange/ExportRun.h"
#include "exchange/ImportRun.h"

#include <QFileInfo>

namespace {

const QString kBannerTitle = QStringLiteral("Mp3 Import // Export");

// Resets a flag when the scope ends.
class FlagGuard
{
public:
    explicit FlagGuard(bool &flag) : m_flag(flag) { m_flag = true; }
    ~FlagGuard() { m_flag = false; }
    FlagGuard(const FlagGuard &) = delete;
    FlagGuard &operator=(const FlagGuard &) = delete;

private:
    bool &m_flag;
};

} // namespace

CKivExchangeForm::CKivExchangeForm(CMelvoraDoc &doc, QObject *parent)
    : QObject(parent)
    , m_doc(doc)
{
    enterNormal();
}

QString CKivExchangeForm::ModeText() const
{
    switch (m_mode) {
    case Mode::Import:
        return QStringLiteral("Import");
    case Mode::Export:
        return QStringLiteral("Export");
    default:
        return QString();
    }
}

void CKivExchangeForm::enterNormal()
{
    m_mode = Mode::Normal;
    m_bannerTitle = QStringLiteral("Mp3's");
    m_bannerCaption.clear();
    m_bannerText.clear();
    m_importListPath.clear();
}

void CKivExchangeForm::showListCounts()
{
    const CKivMp3Liste *list = m_doc.GetMp3Liste();
    m_files = list ? list->CountText() : QString();
    m_size = list ? list->TotalSizeText() : QString();
}

void CKivExchangeForm::enterImport()
{
    m_mode = Mode::Import;
    m_bannerTitle = kBannerTitle;
    m_bannerCaption = QStringLiteral("Mp3's Importieren\\Exportieren");
    m_bannerText = QStringLiteral("Es sind Dateien zum Importieren gefunden wurden.");
    m_fileName.clear();
    showListCounts();
    m_info = QStringLiteral("Bitte wählen Sie die die zu Importierenden Mp3's aus der Liste aus.");
    m_selected = 0;
    setProgress(0, m_progressMax);
    CKivMp3Liste *list = m_doc.GetMp3Liste();
    if (list && list->ImportState() == 1)
        m_sender.clear();
}

void CKivExchangeForm::enterExport()
{
    m_mode = Mode::Export;
    m_bannerTitle = kBannerTitle;
    m_bannerCaption = QStringLiteral("Mp3's Exportieren");
    m_bannerText = QStringLiteral("Es sind Dateien zum Exportieren gefunden wurden.");
    showListCounts();
    m_volumeSize = QStringLiteral("0 MB");
    m_volumePath.clear();
    m_info = QStringLiteral("Bitte wählen Sie ein Volumen zum Export der Dateien aus.");
}

void CKivExchangeForm::OnListReplaced()
{
    if (m_opening || m_busy)
        return;
    CKivMp3Liste *list = m_doc.GetMp3Liste();
    if (list && list->ImportState() != 0)
        enterImport();
    else if (m_mode != Mode::Normal)
        enterNormal();
    else
        return;
    Q_EMIT changed();
}

void CKivExchangeForm::OpenImportList(const QString &path)
{
    CKivMp3Liste *list = m_doc.GetMp3Liste();
    if (!list)
        return;
    QString sender;
    {
        FlagGuard opening(m_opening);
        KivExchangeReader::LoadImportList(*list, path, &sender);
    }
    m_sender = sender;
    m_fileName = path;
    m_importListPath = path;
    enterExport();
    Q_EMIT changed();
}

void CKivExchangeForm::OpenExportFile(const QString &path)
{
    CKivMp3Liste *list = m_doc.GetMp3Liste();
    if (!list)
        return;
    QString sender;
    {
        FlagGuard opening(m_opening);
        KivExchangeReader::LoadExportFile(*list, path, &sender);
    }
    enterImport();
    m_fileName = path;
    m_sender = sender;
    Q_EMIT changed();
}

void CKivExchangeForm::SetSelectionCount(int count)
{
    if (count == m_selected)
        return;
    m_selected = count;
    Q_EMIT changed();
}

qint64 CKivExchangeForm::VolumeSizeMb() const
{
    qsizetype digits = 0;
    while (digits < m_volumeSize.size() && m_volumeSize.at(digits).isDigit()
           && m_volumeSize.at(digits).unicode() < 128)
        ++digits;
    bool ok = false;
    const qint64 mb = m_volumeSize.left(digits).toLongLong(&ok);
    // More digits than a volume can sensibly have count as no limit rather than wrapping round.
    return ok && mb <= qint64(1) << 40 ? mb : 0;
}

void CKivExchangeForm::VolumeSizeEdited(const QString &text)
{
    m_volumeSize = text.trimmed();
    m_volumeSize = QString::number(VolumeSizeMb()) + QStringLiteral(" MB");
    Q_EMIT changed();
}

void CKivExchangeForm::ChooseVolumePath(const QString &chosen)
{
    if (chosen.isEmpty())
        return;
    QString path = chosen;
    if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (QFileInfo(path).isDir()) {
        m_volumePath = path;
        m_info = QStringLiteral("Bitte wählen Sie die Dateien aus der Liste aus, welche Sie Exportieren wollen.");
    } else {
        m_volumePath.clear();
        m_info = QStringLiteral("Auf das Volumen kann nicht geschrieben werden. Bitte wählen Sie ein anderes "
                                "Volumen zum Export der Dateien aus.");
    }
    Q_EMIT changed();
}

void CKivExchangeForm::setProgress(int value, int max)
{
    m_progressValue = value;
    m_progressMax = max;
}

bool CKivExchangeForm::Save(const QString &path, const std::vector<CKivMp3::Ptr> &selected)
{
    if (m_mode != Mode::Import)
        return false;
    FlagGuard busy(m_busy);
    const QString sender = KivExchangeWriter::SenderText(m_doc.GetDatabase(), m_doc.GetUserID());
    const int written = KivExchangeWriter::SaveImportList(path, selected, m_doc.GetMedia(), sender,
                                                          [this](int done, int total) {
                                                              setProgress(done, total);
                                                              Q_EMIT progressed();
                                                          });
    if (written < 0)
        return false;
    m_fileName = path;
    m_info = QStringLiteral("Die Datei:") + QFileInfo(path).fileName() + QStringLiteral(" wurde erfolgreich gespeichert.");
    Q_EMIT changed();
    return true;
}

void CKivExchangeForm::ExportVolumes(const std::vector<CKivMp3::Ptr> &selected)
{
    if (!CanExport())
        return;
    CKivExportRun::Result result;
    {
        FlagGuard busy(m_busy);
        CKivExportRun run(m_volumePath, VolumeSizeMb(), KivExchangePaths::ExportFileName(m_importListPath),
                          KivExchangeWriter::SenderText(m_doc.GetDatabase(), m_doc.GetUserID()));
        m_doc.ReleaseFile();
        result = run.Run(selected, m_doc.GetMedia(), [this](int done, int total, const QString &name) {
            m_info = QStringLiteral("Die Datei: ") + name + QStringLiteral(" wird exportiert.");
            setProgress(done, total);
            Q_EMIT progressed();
        });
    }
    if (!result.ran)
        return;
    m_info = result.failed > 0
               ? KivExchangeTexts::CopyFailures(result.failed)
               : QStringLiteral("Das Exportieren der ausgewählten Dateien wurde erfolgreich abgeschlossen.");
    Q_EMIT changed();
}

void CKivExchangeForm::ImportSelected(const std::vector<CKivMp3::Ptr> &selected)
{
    if (m_mode != Mode::Import)
        return;
    KivImportRun::Result result;
    {
        FlagGuard busy(m_busy);
        m_doc.ReleaseFile();
        result = KivImportRun::Run(selected, m_doc.GetMedia(), m_doc.GetDatabase(),
                                   [this](int done, int total, const QString &name) {
                                       setProgress(done, total);
                                       m_info = QStringLiteral("Die Datei: ") + name
                                              + QStringLiteral(" wird importiert.");
                                       Q_EMIT progressed();
                                   });
    }
    if (!result.ran)
        return;
    m_info = result.failed > 0
               ? KivExchangeTexts::CopyFailures(result.failed)
               : QStringLiteral("Das Importieren der ausgewählten Dateien wurde erfolgreich abgeschlossen.");
    if (result.imported > 0)
        Q_EMIT itemsChanged();
    Q_EMIT changed();
}
