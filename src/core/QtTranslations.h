#pragma once

class QCoreApplication;

// Qt's own texts in German: the buttons of message boxes ("Ja", "Nein", "Abbrechen"), the colour,
// file and print dialogs, the context menus of edit fields. The translations come with Qt
// (qtbase_de and the other modules' files in Qt's translations folder). False when none was found;
// the program then shows Qt's English texts.
namespace KivQtTranslations {

bool install(QCoreApplication &app);

} // namespace KivQtTranslations
