#pragma once

#include <QIcon>
#include <QString>

// The pictures of the tool bar commands.
namespace KivFrameIcons {

// The resource path of the picture of a command; empty when it has none.
QString path(int commandId);
QIcon icon(int commandId);

} // namespace KivFrameIcons
