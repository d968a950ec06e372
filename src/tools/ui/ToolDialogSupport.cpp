#include "tools/ui/ToolDialogSupport.h"

#include <QApplication>
#include <QFile>
#include <QProgressDialog>
#include <QStyle>

namespace KivToolDialogs {

QIcon bannerIcon()
{
    const QString file = QStringLiteral(":/melvora/ui/icons/cmd/tag-edit.svg");
    if (QFile::exists(file))
        return QIcon(file);
    return QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView);
}

std::unique_ptr<QProgressDialog> progressHooks(QWidget *parent, int total, const QString &label,
                                               const std::function<void()> &releaseFile, KivBatchHooks &hooks)
{
    hooks.releaseFile = releaseFile;
    if (total <= kProgressAbove)
        return nullptr;
    auto progress = std::make_unique<QProgressDialog>(label, QStringLiteral("Abbruch"), 0, total, parent);
    progress->setWindowTitle(QStringLiteral("Melvora"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
    QProgressDialog *window = progress.get();
    hooks.progress = [window](int done, int count) {
        window->setMaximum(count);
        window->setValue(done);
        QApplication::processEvents();
        return !window->wasCanceled();
    };
    return progress;
}

} // namespace KivToolDialogs
