#pragma once

#include "mp3/item/Mp3Item.h"

#include <QString>
#include <QStringList>

#include <vector>

// What the tag editors show about the selected items before anything is written: how many there are,
// the name of their common folder, and the distinct values of every field in selection order.
struct KivTagSelection
{
    int count = 0;
    // The common folder's name: all items share one folder id (or there is one item), and the last
    // item's sub-path without its closing "\" still holds a "\"; the text after it. Else empty.
    QString folderName;
    QStringList artists;
    QStringList titles;
    QStringList albums;
    QStringList years;
    QStringList comments;
    QStringList subPaths;
    QStringList filenames;

    static KivTagSelection Of(const std::vector<CKivMp3::Ptr> &items);

    // Appends value unless the list holds an entry equal to it ignoring case.
    static void addDistinct(QStringList &list, const QString &value);
};
