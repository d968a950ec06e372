#include "setup/cli/ConsoleUi.h"

#include <QMutexLocker>
#include <QTextStream>

ConsoleUi::ConsoleUi()
{
    installKivUi(this);
}

ConsoleUi::~ConsoleUi()
{
    installKivUi(nullptr);
}

KivAnswer ConsoleUi::showMessage(const QString &text, const QString &caption, KivIcon, KivButtons buttons)
{
    printError(caption.isEmpty() ? text : caption + QStringLiteral(": ") + text);
    switch (buttons) {
    case KivButtons::Ok:
        return KivAnswer::Ok;
    case KivButtons::YesNo:
        return KivAnswer::No;
    default:
        return KivAnswer::Cancel;
    }
}

void ConsoleUi::printError(const QString &text)
{
    QMutexLocker lock(&m_mutex);
    QTextStream(stderr) << text << "\n";
}

void ConsoleUi::print(const QString &text)
{
    QMutexLocker lock(&m_mutex);
    QTextStream(stdout) << text << "\n";
}
