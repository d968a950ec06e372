#pragma once

class CKivCommandRegistry;
class QMenuBar;
class QObject;

// Builds the main menu from the command table: one menu per menu name in the order of the menu bar,
// sub menus for names with a "/", each entry the registry's action. Every menu brings the command
// states up to date before it shows.
namespace KivFrameMenus {

void build(QMenuBar &menuBar, CKivCommandRegistry &commands);

} // namespace KivFrameMenus
