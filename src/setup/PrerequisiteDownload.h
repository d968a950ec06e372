#pragma once

#include "setup/Prerequisites.h"

#include <QUrl>

#include <functional>

class CKivSha256Manifest;

// The wizard's "Download": fetches the checksum list beside the base address, then each missing
// prerequisite's archive in turn, accepts it only when its SHA-256 is the listed one, extracts it
// into the installation source's "System/" folder and deletes it; the first failure is told to the
// user and ends the downloads. At the end the check runs again, so what arrived shows as "Copy".
class CKivPrerequisiteDownload
{
public:
    // Runs the download window for one address into a folder; true when the file arrived.
    using DownloadWindow = std::function<bool(const QUrl &address, const QString &destinationFolder)>;

    CKivPrerequisiteDownload(const QUrl &base, DownloadWindow window);

    // True when every missing prerequisite arrived.
    bool Run(CKivPrerequisites &prerequisites);

    // The address of a file below the base address.
    QUrl AddressOf(const QString &fileName) const;

    // The base address set for an installation source: its "Download.ini" ([Download] Base=).
    static QString SourceBase(const QString &sourceFolder);

private:
    bool downloadFailed();
    bool fetch(const CKivPrerequisite &prerequisite, const QString &folder);

    QUrl m_base;
    DownloadWindow m_window;
    CKivSha256Manifest *m_manifest = nullptr;
};
