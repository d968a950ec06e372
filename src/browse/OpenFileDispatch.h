#pragma once

#include <QString>

// Which kind of file the command "Datei von Festplatte Öffnen..." opens, by the chosen file's
// extension compared exactly, case included: "imp" import lists, "exp" export files, "mar" medium
// archives; anything else is refused.
namespace KivOpenFileDispatch {

enum class Kind { ImportList, ExportFile, MediumArchive, Invalid };

Kind Classify(const QString &path);

// What the file dialog offers.
QString DialogFilter();
QString DefaultExtension();

// What a refused file tells the user.
QString InvalidText();
QString InvalidCaption();

} // namespace KivOpenFileDispatch
