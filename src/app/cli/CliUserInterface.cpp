#include "app/cli/CliUserInterface.h"

#include <QMutexLocker>
#include <QTextStream>

CliUserInterface::CliUserInterface()
{
    installKivUi(this);
}

CliUserInterface::~CliUserInterface()
{
    installKivUi(nullptr);
}

KivAnswer CliUserInterface::showMessage(const QString &text, const QString &caption, KivIcon, KivButtons buttons)
{
    printError(caption + QStringLiteral(": ") + text);
    switch (buttons) {
    case KivButtons::Ok:
        return KivAnswer::Ok;
    case KivButtons::YesNo:
        return KivAnswer::No;
    default:
        return KivAnswer::Cancel;
    }
}

void CliUserInterface::printError(const QString &text)
{
    QMutexLocker lock(&m_mutex);
    QTextStream err(stderr);
    err << text << "\n";
}
