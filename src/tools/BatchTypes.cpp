#include "tools/BatchTypes.h"

#include "core/UserInterface.h"

QString KivFileOutcome::StatusText(Status status)
{
    switch (status) {
    case Ok:
        return QStringLiteral("ok");
    case Unchanged:
        return QStringLiteral("unchanged");
    case NoMatch:
        return QStringLiteral("no match");
    case Failed:
        break;
    }
    return QStringLiteral("failed");
}

void KivBatchSummary::count(KivFileOutcome::Status status)
{
    switch (status) {
    case KivFileOutcome::Ok:
        ++ok;
        break;
    case KivFileOutcome::Unchanged:
        ++unchanged;
        break;
    case KivFileOutcome::NoMatch:
        ++noMatch;
        break;
    case KivFileOutcome::Failed:
        ++failed;
        break;
    }
}

void KivBatchSummary::ReportFailures() const
{
    if (failed == 0)
        return;
    const QString text = failed == 1 ? QStringLiteral("Eine Datei konnte nicht geändert werden.\nSie bleibt, wie sie war.")
                                     : QStringLiteral("%1 Dateien konnten nicht geändert werden.\nSie bleiben, wie sie "
                                                      "waren.")
                                           .arg(failed);
    kivUi().showMessage(text, QStringLiteral("Warnung"), KivIcon::Exclamation);
}
