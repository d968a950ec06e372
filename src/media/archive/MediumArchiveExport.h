#pragma once

#include <QString>

#include <functional>

class CKivDatabase;
class CKivMedium;

// Writes a medium's catalog data into a medium archive: the header, then one 520-byte record per
// catalogued MP3 of the medium (pending imports excluded), in the order of their rows.
namespace KivMediumArchiveExport {

// Asks for the file to write (an empty answer cancels without a message).
using PathChooser = std::function<QString()>;

// What the save-file dialog proposes.
QString ProposedName();
QString DefaultExtension();
QString DialogFilter();

// Collects the medium's items, asks for the file, writes it. False after telling the user why
// (no items, file not writable) or when the choice was cancelled.
bool Export(CKivDatabase &db, const CKivMedium &medium, const PathChooser &choosePath);

} // namespace KivMediumArchiveExport
