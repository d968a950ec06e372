#pragma once

#include "core/UserInterface.h"

class QWidget;

// The core's messages as a message box over the active window (or the dialog open above it). The
// buttons are Qt's standard ones, so their texts come from Qt's German translation.
namespace KivMessageBox {

QWidget *owner();
KivAnswer show(const QString &text, const QString &caption, KivIcon icon, KivButtons buttons);

} // namespace KivMessageBox
