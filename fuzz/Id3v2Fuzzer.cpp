// Reads an ID3v2 tag from arbitrary bytes: a read either fails with the fields untouched or yields a
// tag that lies inside the data, with a known version and a genre index in range.
#include "mp3/Id3v2Tag.h"
#include "mp3/MemorySource.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CKivMemorySource source(reinterpret_cast<const char *>(data), qint64(size));
    CId3v2Tag tag;
    if (!tag.read(source, qint64(size))) {
        if (tag.isPresent() || !tag.title.isEmpty() || tag.track != 0 || tag.genre != 255)
            std::abort();
        return 0;
    }
    if (tag.version < 2 || tag.version > 4 || tag.tagSize > qint64(size) || tag.tagSize < 10)
        std::abort();
    if (tag.genre < 0 || tag.genre > 255 || tag.track < 0)
        std::abort();
    if (tag.tagSize != CId3v2Tag::headerTagSize(source))
        std::abort();
    return 0;
}
