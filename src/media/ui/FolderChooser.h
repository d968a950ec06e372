#pragma once

#include <QString>

#include <functional>

class QWidget;

// The system's folder chooser as the dialogs use it: a chosen folder always ends with the separator,
// a cancelled choice is empty. Tests replace the chooser to answer without a window.
namespace KivFolderChooser {

using Chooser = std::function<QString(QWidget *parent, const QString &title, const QString &start)>;

// The title every folder choice of the program shows.
QString title();

// Asks for a folder starting at start; the folder with a trailing "/", or empty when cancelled.
QString choose(QWidget *parent, const QString &start);

// Replaces the chooser (an empty function restores the system's).
void setChooser(Chooser chooser);

} // namespace KivFolderChooser
