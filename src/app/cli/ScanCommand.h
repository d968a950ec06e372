#pragma once

#include <QString>

class CliSession;

// "scan MEDIUM [SUBPATH] [--quick]" of melvora-cli: scans an online medium of the logged-in user, or
// one folder of it, showing the progress on stderr, and prints what was found and stored.
int RunScanCommand(CliSession &session, const QString &mediumName, const QString &subPath, bool quick);
