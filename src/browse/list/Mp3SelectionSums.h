#pragma once

#include "mp3/item/Mp3Item.h"

#include <QString>

#include <vector>

// The three status panes over the selected rows of an MP3 list: "selected / total", the summed
// file size as the lists show sizes, and the summed play time as "hh:mm:ss".
struct KivMp3SelectionSums
{
    QString count;
    QString size;
    QString time;

    // Items without a length (-1, catalogued by their tag) count 0 seconds.
    static KivMp3SelectionSums of(const std::vector<const CKivMp3 *> &selected, int total);
    // Seconds as "%02d:%02d:%02d"; hours go beyond 99 when they must.
    static QString timeText(qint64 seconds);
};
