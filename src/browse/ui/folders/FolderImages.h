#pragma once

#include <QIcon>
#include <QStyledItemDelegate>

// The pictures of the tree's and the file list's image lists, by image number (see
// CKivFolderEntry::Image), and the delegate that shows them from the models' image role.
namespace KivFolderImages {

QIcon Icon(int image);

} // namespace KivFolderImages

class CKivFolderIconDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    CKivFolderIconDelegate(int imageRole, QObject *parent);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    int m_imageRole;
};
