#pragma once

#include "mp3/item/Mp3Item.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class CKivMedienListe;

// Exports the requested files a friend's import list named (status 6) into volumes "Volume 0",
// "Volume 1", ... below a folder, each volume at most the given size (0: one volume of any size),
// each with its export file listing exactly the files copied into it completely. A file that cannot
// be copied is counted, left out and the run goes on; the count is reported at the end.
class CKivExportRun
{
public:
    struct Volume
    {
        QString folder;
        int files = 0;
        qint64 bytes = 0;
        bool written = false;  // its export file is in place
    };
    struct Result
    {
        bool ran = false;  // false: nothing was selected
        std::vector<Volume> volumes;
        int exported = 0;
        int failed = 0;
    };

    // Copies item's file into the volume folder; the name used, or nothing.
    using Copier = std::function<std::optional<QString>(CKivMp3 &item, const QString &volumeFolder)>;
    // Before each file: its position (1-based) of total, and its name.
    using Progress = std::function<void(int done, int total, const QString &filename)>;

    CKivExportRun(QString volumePath, qint64 volumeSizeMb, QString exportFileName, QString sender);

    // Tests put a copier in place that fails as a full disk would.
    void SetCopier(Copier copier) { m_copier = std::move(copier); }

    Result Run(const std::vector<CKivMp3::Ptr> &selected, const CKivMedienListe *media,
               const Progress &progress = {});

    // Bytes per volume for a size in MB; 0 for no limit.
    static qint64 VolumeBytes(qint64 volumeSizeMb) { return volumeSizeMb > 0 ? volumeSizeMb * 1000000 : 0; }

private:
    struct Exported
    {
        CKivMp3::Ptr item;
        QString usedName;
    };
    bool writeExportFile(const QString &folder, const std::vector<Exported> &files) const;

    QString m_volumePath;
    qint64 m_volumeBytes;
    QString m_exportFileName;
    QString m_sender;
    Copier m_copier;
};
