#include "browse/MelvoraDoc.h"

#include "catalog/CatalogErrorWatch.h"
#include "core/CodePage.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "browse/Filter.h"
#include "browse/Mp3Liste.h"
#include "browse/OpenFileDispatch.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/cd/CdManager.h"
#include "media/scan/ScanDriver.h"

#include <utility>

CMelvoraDoc::CMelvoraDoc(CKivSettings &settings, CKivDatabase &db, CKivFilter &filter, QObject *parent)
    : QObject(parent)
    , m_settings(settings)
    , m_db(db)
    , m_filter(filter)
    , m_cdManager(std::make_unique<CKivCdManager>(db))
{
    connect(m_cdManager.get(), &CKivCdManager::cdChanged, this,
            [this] { Q_EMIT updateAllViews(HintCdChanged, QVariant()); });
}

CMelvoraDoc::~CMelvoraDoc()
{
    // A scan still running is stopped before the lists and media it would hand over to go away.
    m_scanDriver.reset();
    m_archiveDriver.reset();
    m_cdManager->Stop();
    m_cdManager->SetMedia(nullptr);
    if (m_media && m_filter.GetMedia() == m_media.get())
        m_filter.SetMedia(nullptr);
}

// --- session

bool CMelvoraDoc::OnNewDocument()
{
    if (m_mp3Liste)
        Q_EMIT documentResetting();
    m_title = Title();
    m_userId = -1;
    m_userName.clear();
    m_cdManager->Stop();
    createLists();
    takeMedia(nullptr);
    return true;
}

void CMelvoraDoc::SetListsLoadInSteps(bool on)
{
    m_listsInSteps = on;
    if (m_mp3Liste)
        m_mp3Liste->SetStepped(on);
}

void CMelvoraDoc::createLists()
{
    m_mp3Liste = std::make_unique<CKivMp3Liste>(m_db);
    m_mp3Liste->SetName(QStringLiteral("Mp3liste"));
    m_mp3Liste->SetStepped(m_listsInSteps);
    m_mediumListe = std::make_unique<CKivMp3Liste>(m_db);
    m_mediumListe->SetName(QStringLiteral("Mp3liste Medium"));
    for (CKivMp3Liste *list : {m_mp3Liste.get(), m_mediumListe.get()}) {
        connect(list, &CKivMp3Liste::itemsReplaced, this, [this, list] { announceList(list); });
        list->SetMedia(m_media.get());
    }
}

void CMelvoraDoc::announceList(CKivMp3Liste *list)
{
    Q_EMIT updateAllViews(HintListReplaced, QVariant::fromValue(list));
}

// Replaces the media set. The lists' items are placed on the old media, so they are let go first;
// the old media stay until every view was told to show the new ones and dropped its rows.
void CMelvoraDoc::takeMedia(std::unique_ptr<CKivMedienListe> media)
{
    for (CKivMp3Liste *list : {m_mp3Liste.get(), m_mediumListe.get()}) {
        if (!list)
            continue;
        list->SetMedia(nullptr);
        list->Reset();
        list->SetMedia(media.get());
    }
    m_filter.SetMedia(media.get());
    // The CD manager lets go of the old media before they go.
    m_cdManager->SetMedia(nullptr);
    const std::unique_ptr<CKivMedienListe> old = std::exchange(m_media, std::move(media));
    const std::vector<std::shared_ptr<CKivMedium>> oldScanned = std::exchange(m_scannedMedia, {});
    m_cdManager->SetMedia(m_media.get());
    Q_EMIT updateAllViews(HintMediaChanged, QVariant());
    for (CKivMp3Liste *list : {m_mp3Liste.get(), m_mediumListe.get()}) {
        if (list)
            announceList(list);
    }
}

void CMelvoraDoc::OnLogin(const QString &userName, int userId)
{
    if (!m_mp3Liste)
        OnNewDocument();
    CKivCatalogErrorWatch watch(m_db);
    m_userId = userId;
    m_userName = userName;
    KivCodePage::setId3v1(KivCodePage::storedId3v1(m_settings.GetUserName(), m_settings.store()));
    Q_EMIT userChanged(userName);

    m_cdManager->Stop();
    m_cdManager->SetDrive(m_settings.GetCdDrive());
    auto media = std::make_unique<CKivMedienListe>(userId, m_settings.GetCdDrive());
    media->Load(m_db);
    takeMedia(std::move(media));
    m_cdManager->Start();
    runHandOver();
}

// The first login after an installation creates the medium Setup was told about and offers its
// scan; a readable hand-over file is deleted in every case, so this happens once. An unreadable one
// stays where it is for the user to look at.
void CMelvoraDoc::runHandOver()
{
    const std::optional<CKivSetupRecord> record = m_settings.ReadSetupRecord();
    const QString name = record ? record->FirstMediumName() : QString();
    if (record && record->CreateFirstMedium() == 1 && !name.isEmpty()) {
        if (m_media->CreateFromFolder(m_db, name, record->FirstMediumFolder())) {
            // The new medium must show in the trees whether or not it is scanned now.
            Q_EMIT updateAllViews(HintMediaChanged, QVariant());
            announceList(m_mp3Liste.get());
            if (record->ScanFirstMedium() == 1) {
                if (record->QuickImport() == 1)
                    m_quickImport = 1;
                StartScan(name, QString());
            }
        }
    }
    if (record)
        m_settings.DeleteSetupRecord();
}

CKivMedium *CMelvoraDoc::FindMedium(const QString &mediumName) const
{
    return m_media ? m_media->FindMedium(mediumName) : nullptr;
}

void CMelvoraDoc::RefreshMediaState()
{
    if (m_media)
        m_media->CheckOnline();
    for (const std::shared_ptr<CKivMedium> &copy : m_scannedMedia) {
        if (!copy->IsCd()) {
            copy->CheckOnline();
        } else if (const CKivMedium *medium = FindMedium(copy->GetName())) {
            copy->SetCdState(medium->GetState());
        }
    }
}

void CMelvoraDoc::ReloadMedia()
{
    if (m_userId == -1)
        return;
    auto media = std::make_unique<CKivMedienListe>(m_userId, m_settings.GetCdDrive());
    media->Load(m_db);
    takeMedia(std::move(media));
    Q_EMIT updateAllViews(HintCdChanged, QVariant());
}

void CMelvoraDoc::UpdateAllViews(int hint, const QVariant &payload)
{
    Q_EMIT updateAllViews(hint, payload);
}

// --- view options

bool CMelvoraDoc::IsOnlineMedia() const
{
    return m_filter.IsOnlineOnly();
}

void CMelvoraDoc::OnQuickImport()
{
    m_quickImport = m_quickImport ? 0 : 1;
}

void CMelvoraDoc::OnDragDrop()
{
    m_dragDrop = m_dragDrop ? 0 : 1;
}

void CMelvoraDoc::OnLabelEdit()
{
    m_labelEdit = m_labelEdit ? 0 : 1;
    Q_EMIT updateAllViews(HintLabelEdit, m_labelEdit ? QVariant::fromValue(static_cast<QObject *>(this)) : QVariant());
}

void CMelvoraDoc::OnOfflineCds()
{
    m_offlineCds = m_offlineCds ? 0 : 1;
    Q_EMIT updateAllViews(HintCdChanged, QVariant());
}

void CMelvoraDoc::OnOnlineMedia()
{
    m_filter.ToggleOnlineOnly();
}

// --- opening a file

void CMelvoraDoc::OpenFile(const QString &path)
{
    switch (KivOpenFileDispatch::Classify(path)) {
    case KivOpenFileDispatch::Kind::ImportList:
        Q_EMIT showStandardList();
        Q_EMIT updateAllViews(HintOpenImport, path);
        return;
    case KivOpenFileDispatch::Kind::ExportFile:
        Q_EMIT showStandardList();
        Q_EMIT updateAllViews(HintOpenExport, path);
        return;
    case KivOpenFileDispatch::Kind::MediumArchive:
        if (m_archiveOpener && m_archiveOpener(path))
            Q_EMIT updateAllViews(HintMediaChanged, QVariant());
        return;
    case KivOpenFileDispatch::Kind::Invalid:
        kivUi().showMessage(KivOpenFileDispatch::InvalidText(), KivOpenFileDispatch::InvalidCaption(), KivIcon::Stop);
        return;
    }
}
