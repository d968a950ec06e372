#pragma once

#include "tools/BatchTypes.h"

#include <QIcon>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// What the tag and renaming dialogs share: the banner's icon, and the progress window of a long batch.
namespace KivToolDialogs {

// More files than this show a progress window with "Abbruch" while a batch runs.
constexpr int kProgressAbove = 300;

QIcon bannerIcon();

// The hooks of a batch run from a dialog: the player lets go first; with more than kProgressAbove
// files a progress window shows the count and "Abbruch" stops between two files. The returned
// window (may be null) lives as long as the batch.
std::unique_ptr<QProgressDialog> progressHooks(QWidget *parent, int total, const QString &label,
                                               const std::function<void()> &releaseFile, KivBatchHooks &hooks);

} // namespace KivToolDialogs
