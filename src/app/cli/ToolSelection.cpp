#include "app/cli/ToolSelection.h"

#include "app/cli/CliSession.h"
#include "browse/Mp3Liste.h"
#include "media/MedienListe.h"

CliToolSelection::CliToolSelection(QStringList &args)
{
    bool missing = false;
    m_search = CliSession::takeOption(args, QStringLiteral("--search"), &missing);
    m_medium = CliSession::takeOption(args, QStringLiteral("--medium"), &missing);
    m_subPath = CliSession::takeOption(args, QStringLiteral("--subpath"), &missing);
    m_dryRun = CliSession::takeFlag(args, QStringLiteral("--dry-run"));
    if (missing)
        m_error = QStringLiteral("--search, --medium and --subpath need a value");
    else if (m_search.isNull() == m_medium.isNull())
        m_error = QStringLiteral("give either --search TEXT or --medium NAME");
    else if (!m_subPath.isNull() && m_medium.isNull())
        m_error = QStringLiteral("--subpath needs --medium");
    // Sub-paths in the catalog use "\" and end in it.
    m_subPath.replace(u'/', u'\\');
    while (m_subPath.startsWith(u'\\'))
        m_subPath.remove(0, 1);
    if (!m_subPath.isEmpty() && !m_subPath.endsWith(u'\\'))
        m_subPath += u'\\';
}

bool CliToolSelection::load(CliSession &session, std::vector<CKivMp3::Ptr> &items) const
{
    CKivMp3Liste list(session.db());
    list.SetMedia(&session.media());
    if (!m_search.isNull()) {
        list.Search(m_search, QString());
    } else {
        if (!session.media().FindMedium(m_medium)) {
            session.fail(QStringLiteral("no such medium: ") + m_medium, CliSession::UserError);
            return false;
        }
        list.LoadMedium(m_medium, m_subPath);
    }
    items.clear();
    for (const CKivMp3::Ptr &item : list) {
        // The medium query finds every folder whose path contains the text; only PATH and below count.
        if (m_search.isNull() && !item->GetSubPath().startsWith(m_subPath))
            continue;
        items.push_back(item);
    }
    return true;
}
