#pragma once

#include <QStringList>

// search TEXT [--medium NAME] [--json]: the items whose search index holds the text, one line each.
int RunSearchCommand(const QStringList &arguments);
