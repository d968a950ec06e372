#include "app/ui/IconList.h"

#include <QFileIconProvider>

int CKivIconList::BuildLists(CKivIconList &small, CKivIconList &large)
{
    small = CKivIconList(QSize(16, 16));
    large = CKivIconList(QSize(32, 32));
    const QFileIconProvider provider;
    const QFileIconProvider::IconType types[] = {QFileIconProvider::Computer, QFileIconProvider::Desktop,
                                                 QFileIconProvider::Trashcan, QFileIconProvider::Network,
                                                 QFileIconProvider::Drive,    QFileIconProvider::Folder,
                                                 QFileIconProvider::File};
    for (QFileIconProvider::IconType type : types) {
        const QIcon icon = provider.icon(type);
        small.append(icon);
        large.append(icon);
    }
    const int first = small.count();
    for (const QString &name : ProgramIconNames()) {
        const QIcon icon = ProgramIcon(name);
        small.append(icon);
        large.append(icon);
    }
    return first;
}

QStringList CKivIconList::ProgramIconNames()
{
    return {QStringLiteral("folder"),  QStringLiteral("folder-open"), QStringLiteral("mp3"),
            QStringLiteral("medium"),  QStringLiteral("network"),     QStringLiteral("removable"),
            QStringLiteral("import"),  QStringLiteral("playlist"),    QStringLiteral("archive"),
            QStringLiteral("cd-online"), QStringLiteral("cd-offline")};
}

QIcon CKivIconList::ProgramIcon(const QString &name)
{
    return QIcon(QStringLiteral(":/melvora/ui/icons/") + name + QLatin1String(".svg"));
}
