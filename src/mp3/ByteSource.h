#pragma once

#include <QtGlobal>

// Positioned reads from a file or a buffer: what the frame walk and the tag reader need of their input.
class IKivByteSource
{
public:
    virtual ~IKivByteSource() = default;

    // Reads up to size bytes at pos into data. Returns the number of bytes read, fewer than size only
    // at the end of the data, or -1 on a read error.
    virtual qint64 readAt(qint64 pos, char *data, qint64 size) = 0;
};
