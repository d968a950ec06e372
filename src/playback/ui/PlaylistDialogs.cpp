// The file dialogs of the playlist's Open and Save as.
#include "playback/ui/PlaylistView.h"

#include <QFileDialog>

void CKivPlaylistView::openWithDialog()
{
    QFileDialog dialog(this, QString(), QString(), Filter());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    OpenPath(dialog.selectedFiles().constFirst());
}

void CKivPlaylistView::saveAsWithDialog()
{
    QFileDialog dialog(this, QString(), FileName(), Filter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("atp"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SaveAsPath(dialog.selectedFiles().constFirst());
}
