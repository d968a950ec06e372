#include "core/ConsoleUi.h"

#include <QMutexLocker>
#include <QTextStream>

CKivConsoleUi::CKivConsoleUi()
{
    installKivUi(this);
}

CKivConsoleUi::~CKivConsoleUi()
{
    installKivUi(nullptr);
}

KivAnswer CKivConsoleUi::showMessage(const QString &text, const QString &caption, KivIcon, KivButtons buttons)
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

void CKivConsoleUi::printError(const QString &text)
{
    QMutexLocker lock(&m_mutex);
    QTextStream(stderr) << text << "\n";
}

void CKivConsoleUi::print(const QString &text)
{
    QMutexLocker lock(&m_mutex);
    QTextStream(stdout) << text << "\n";
}
