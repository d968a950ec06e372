#include "media/ui/FolderChooser.h"

#include <QFileDialog>

namespace {

QString systemChooser(QWidget *parent, const QString &title, const QString &start)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
}

KivFolderChooser::Chooser &current()
{
    static KivFolderChooser::Chooser chooser = systemChooser;
    return chooser;
}

} // namespace

QString KivFolderChooser::title()
{
    return QStringLiteral("Wählen Sie das ein Medienverszeichniss:");
}

QString KivFolderChooser::choose(QWidget *parent, const QString &start)
{
    QString folder = current()(parent, title(), start);
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

void KivFolderChooser::setChooser(Chooser chooser)
{
    current() = chooser ? std::move(chooser) : Chooser(systemChooser);
}
