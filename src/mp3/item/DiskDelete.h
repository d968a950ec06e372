#pragma once

#include <QString>

// Removing files and folders from disk at the user's request: the question asked first, and the
// removal itself, into the desktop's trash where the medium has one so that a slip can be undone.
namespace KivDiskDelete {

QString QuestionText();
QString QuestionCaption();
// Asks whether the selected files are to be deleted; true for "Ja".
bool Confirm();

// Moves path (a file or a folder) to the trash of its medium; where that is impossible it is deleted
// for good. True when nothing is left at path.
bool Remove(const QString &path);

} // namespace KivDiskDelete
