#pragma once

#include <QString>

// The peer of the scan benchmark: beets ("beet import -A -C -W -q": no tagging, no copying, no tag
// writes, no questions) importing the same library into a private library file, with a private
// configuration in a folder of its own.
namespace BeetsPeer {

struct Result
{
    bool ran = false;
    double seconds = 0;
    int imported = 0;  // items in the beets library afterwards
    QString error;
};

Result Import(const QString &library, const QString &workFolder);

} // namespace BeetsPeer
