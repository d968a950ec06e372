#include "media/scan/ScanFind.h"

#include "core/UserInterface.h"
#include "media/Medium.h"
#include "media/scan/ScanBusyGuard.h"
#include "media/scan/ScanList.h"
#include "media/scan/ScanLog.h"
#include "media/scan/ScanPath.h"
#include "media/scan/ScanWalk.h"
#include "mp3/AnalysisAhead.h"
#include "mp3/item/Mp3FileOps.h"


namespace {

void tellMediumMissing(const QString &name)
{
    kivUi().showMessage(QStringLiteral("Das Medium mit dem Globalen Mediumnamen: ") + name
                            + QStringLiteral(" \nwurde nicht gefunden !"),
                        QStringLiteral("m_bMediumname ungültig !"), KivIcon::Exclamation);
}

void tellBackslashName(const QString &path, bool isFolder)
{
    kivUi().showMessage((isFolder ? QStringLiteral("Der Ordner: ") : QStringLiteral("Die Datei: ")) + path
                            + QStringLiteral("\nwird übergangen, da der Name das Zeichen \"\\\" enthält !"),
                        QStringLiteral("Hinweis"), KivIcon::Exclamation);
}

void findFiles(CKivScanList &list, const CKivMedium &medium, const QString &subPath)
{
    CKivScanWalk walk({[&list] { return list.IsCancelled(); },
                       [&list](const QString &folder, const QString &name) { list.AddFoundFile({folder, name}); },
                       tellBackslashName});
    const QString root = KivMp3FileOps::Join(medium.GetRoot(), KivMp3FileOps::LocalPath(subPath));
    walk.Run(root, subPath, medium.GetRoot());
}

// The full paths of the found files, in the order they are read (as the items compose them).
std::vector<QString> fullPaths(const CKivMedium &medium, const std::vector<CKivScanList::FoundFile> &found)
{
    std::vector<QString> paths;
    paths.reserve(found.size());
    QString lastSubPath;
    QString folder;
    for (const CKivScanList::FoundFile &file : found) {
        if (folder.isEmpty() || file.subPath != lastSubPath) {
            lastSubPath = file.subPath;
            folder = KivMp3FileOps::Join(medium.GetRoot(), KivMp3FileOps::LocalPath(file.subPath));
        }
        paths.push_back(KivMp3FileOps::Join(folder, file.fileName));
    }
    return paths;
}

} // namespace

void KivScanFind::Run(CKivScanList &list)
{
    CKivScanBusyGuard busy(list);
    const std::shared_ptr<CKivMedium> &medium = list.medium();
    if (!medium) {
        tellMediumMissing(list.GetMediumName());
        return;
    }

    list.items().clear();
    list.foundFiles().clear();
    list.SetCurrentIndex(0);
    list.SetTotal(0);
    list.SetCancel(0);
    list.SetCurrentFile(QString());
    list.SetStatusText(CKivScanList::FindingText());

    const std::optional<QString> subPath = KivScanPath::Normalized(list.GetPath());
    if (!subPath) {
        qCWarning(lcScan).noquote() << "Scan folder" << list.GetPath() << "lies outside the medium";
        return;
    }
    // Only a medium that is there (its header file naming it in its root) is read from disk: any
    // other folder at that place belongs to somebody else.
    if (medium->GetState() != CKivMedium::Online) {
        qCInfo(lcScan).noquote() << "Medium" << medium->GetName() << "is not online: nothing is searched";
        return;
    }
    findFiles(list, *medium, *subPath);

    std::vector<CKivScanList::FoundFile> &found = list.foundFiles();
    list.SetTotal(int(found.size()));
    list.SetStatusText(CKivScanList::ReadingText());
    std::vector<CKivMp3::Ptr> &items = list.items();
    items.reserve(found.size());
    // The files are analysed by a small pool ahead of this loop, so the device has the next files'
    // reads while one item is built; the items, their order and the messages stay as one by one.
    const bool quick = list.IsQuickImport();
    CKivAnalysisAhead analyses(fullPaths(*medium, found),
                               quick ? CKivAnalysisAhead::Kind::Tags : CKivAnalysisAhead::Kind::Full);
    CMpegAudioInfo info;
    for (size_t i = 0; i < found.size() && !list.IsCancelled(); ++i) {
        list.SetCurrentIndex(int(i + 1));
        list.SetCurrentFile(found[i].fileName);
        const bool opened = analyses.TakeNext(info);
        items.push_back(CKivMp3::FromAnalysis(medium.get(), found[i].subPath, found[i].fileName, quick, opened, info));
    }
}
