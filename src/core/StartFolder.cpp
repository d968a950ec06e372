#include "core/StartFolder.h"

#include <QDir>
#include <QMutex>

namespace {

QMutex g_mutex;
QString g_folder;
bool g_captured = false;

QString withSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

} // namespace

namespace KivStartFolder {

QString path()
{
    QMutexLocker lock(&g_mutex);
    if (!g_captured) {
        g_folder = withSlash(QDir::currentPath());
        g_captured = true;
    }
    return g_folder;
}

void set(const QString &folder)
{
    QMutexLocker lock(&g_mutex);
    g_folder = withSlash(folder);
    g_captured = true;
}

} // namespace KivStartFolder
