#include "app/ui/frame/FrameIcons.h"

#include "app/ui/frame/CommandTable.h"

#include <QHash>

namespace KivFrameIcons {

QString path(int commandId)
{
    using namespace KivCommandTable;
    static const QHash<int, QString> names{
        {OpenFile, QStringLiteral("open-file")},
        {ShowCatalog, QStringLiteral("catalog")},
        {LeftTreeAndFiles, QStringLiteral("layout-tree-files")},
        {LeftTree, QStringLiteral("layout-tree")},
        {LeftPlaylist, QStringLiteral("layout-playlist")},
        {RightStandard, QStringLiteral("list-standard")},
        {RightTv, QStringLiteral("list-tv")},
        {RightFiles, QStringLiteral("list-files")},
        {Previous, QStringLiteral("previous")},
        {FastRewind, QStringLiteral("rewind")},
        {Stop, QStringLiteral("stop")},
        {Pause, QStringLiteral("pause")},
        {Play, QStringLiteral("play")},
        {FastForward, QStringLiteral("forward")},
        {Next, QStringLiteral("next")},
        {VolumeUp, QStringLiteral("volume-up")},
        {VolumeDown, QStringLiteral("volume-down")},
        {Manual, QStringLiteral("manual")},
        {NewFolder, QStringLiteral("new-folder")},
        {Cut, QStringLiteral("cut")},
        {Copy, QStringLiteral("copy")},
        {Paste, QStringLiteral("paste")},
        {DeleteFiles, QStringLiteral("delete")},
        {TagEditor1, QStringLiteral("tag-edit")},
        {TagEditor2, QStringLiteral("tag-from-name")},
        {Rename, QStringLiteral("rename")},
        {SortAscending, QStringLiteral("sort-ascending")},
        {SortDescending, QStringLiteral("sort-descending")},
        {LargeIcons, QStringLiteral("large-icons")},
        {SmallIcons, QStringLiteral("small-icons")},
        {Details, QStringLiteral("details")},
        {Categories, QStringLiteral("categories")},
        {OnlineMedia, QStringLiteral("online-media")},
        {OfflineCds, QStringLiteral("offline-cds")},
        {FilterDefine, QStringLiteral("filter")},
        {PlayerSource, QStringLiteral("player-source")},
    };
    const QString name = names.value(commandId);
    return name.isEmpty() ? QString() : QStringLiteral(":/melvora/ui/icons/cmd/%1.svg").arg(name);
}

QIcon icon(int commandId)
{
    const QString file = path(commandId);
    return file.isEmpty() ? QIcon() : QIcon(file);
}

} // namespace KivFrameIcons
