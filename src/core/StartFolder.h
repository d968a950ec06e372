#pragma once

#include <QString>

// The working directory as it was when the program started, captured once: "Setup.ini", the default
// playlist and the shutdown helper are looked up there, whatever folder a dialog visits later.
namespace KivStartFolder {

// The captured folder, ending with "/"; captured from the process at the first call.
QString path();

// Replaces the captured folder (the program at start-up; tests).
void set(const QString &folder);

} // namespace KivStartFolder
