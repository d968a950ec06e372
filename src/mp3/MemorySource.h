#pragma once

#include "mp3/ByteSource.h"

#include <algorithm>
#include <cstring>

// Byte source over a buffer the caller keeps alive (fuzzing, tests).
class CKivMemorySource final : public IKivByteSource
{
public:
    CKivMemorySource(const char *data, qint64 size) : m_data(data), m_size(size) {}

    qint64 readAt(qint64 pos, char *data, qint64 size) override
    {
        if (pos < 0 || size < 0)
            return -1;
        if (pos >= m_size)
            return 0;
        const qint64 n = std::min(size, m_size - pos);
        std::memcpy(data, m_data + pos, size_t(n));
        return n;
    }

private:
    const char *m_data;
    qint64 m_size;
};
