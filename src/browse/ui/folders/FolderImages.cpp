#include "browse/ui/folders/FolderImages.h"

#include "browse/folders/FolderEntry.h"

#include <QApplication>
#include <QStyle>

namespace KivFolderImages {

QIcon Icon(int image)
{
    QStyle *style = QApplication::style();
    switch (image) {
    case CKivFolderEntry::ImageFolder:
    case CKivFolderEntry::ImageCatalogFolder:
        return style->standardIcon(QStyle::SP_DirClosedIcon);
    case CKivFolderEntry::ImageFolderOpen:
        return style->standardIcon(QStyle::SP_DirOpenIcon);
    case CKivFolderEntry::ImageMp3:
        return style->standardIcon(QStyle::SP_MediaVolume);
    case CKivFolderEntry::ImageMedium:
        return style->standardIcon(QStyle::SP_DriveHDIcon);
    case CKivFolderEntry::ImageCdManager:
    case CKivFolderEntry::ImageCdOnline:
        return style->standardIcon(QStyle::SP_DriveCDIcon);
    case CKivFolderEntry::ImageCdOffline:
        return style->standardIcon(QStyle::SP_DriveDVDIcon);
    case CKivFolderEntry::ImageImportMp3:
        return style->standardIcon(QStyle::SP_ArrowDown);
    case CKivFolderEntry::ImageImportFolder:
        return style->standardIcon(QStyle::SP_FileDialogNewFolder);
    default:
        return style->standardIcon(QStyle::SP_FileIcon);
    }
}

} // namespace KivFolderImages

CKivFolderIconDelegate::CKivFolderIconDelegate(int imageRole, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_imageRole(imageRole)
{
}

void CKivFolderIconDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() != 0)
        return;
    const QVariant image = index.data(m_imageRole);
    if (image.isValid()) {
        option->icon = KivFolderImages::Icon(image.toInt());
        option->features |= QStyleOptionViewItem::HasDecoration;
    }
}
