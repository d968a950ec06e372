#pragma once

#include "mp3/item/Mp3Item.h"

#include <QStringList>

#include <vector>

class CliSession;
class CKivMp3Liste;

// The files a tool command works on: "--search TEXT" (as the search command finds them) or
// "--medium NAME [--subpath PATH]" (the medium's files, or those in PATH and below it), in list
// order. The options are taken out of the arguments.
class CliToolSelection
{
public:
    // Takes the selection options and "--dry-run" out of args; error() says what was wrong.
    explicit CliToolSelection(QStringList &args);

    QString error() const { return m_error; }
    bool dryRun() const { return m_dryRun; }

    // Loads the selection after the login; false (with the message printed) when the medium is
    // unknown.
    bool load(CliSession &session, std::vector<CKivMp3::Ptr> &items) const;

private:
    QString m_search;
    QString m_medium;
    QString m_subPath;
    QString m_error;
    bool m_dryRun = false;
};
