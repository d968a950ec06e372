// Reads the tag and walks the frames of an arbitrary file through the public calls, then writes the
// tag back and checks that the block lands where it belongs and reads back the same numbers.
#include "mp3/MpegAudioInfo.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// A file in memory, reachable by name through /proc.
struct MemoryFile
{
    int fd = ::memfd_create("melvora-fuzz", 0);
    QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
    ~MemoryFile() { ::close(fd); }
};

MemoryFile &file()
{
    static MemoryFile f;
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The ID3v1 block alone; the ID3v2 reader has its own target.
    CMpegAudioInfo::SetReadId3v1Only(true);
    MemoryFile &f = file();
    if (f.fd < 0 || ::ftruncate(f.fd, 0) != 0 || ::pwrite(f.fd, data, size, 0) != ssize_t(size))
        std::abort();

    CMpegAudioInfo info;
    if (!info.ReadTag(f.path) || info.GetFileSize() != qint64(size))
        std::abort();
    const bool hadTag = info.GetFlags() & CMpegAudioInfo::kFlagTag;
    if (info.GetTrack() < 0 || info.GetTrack() > 255 || info.GetGenre() < 0 || info.GetGenre() > 255)
        std::abort();
    CMpegAudioInfo walked;
    if (!walked.Analyze(f.path) || walked.GetTitle() != info.GetTitle() ||
        walked.GetComment() != info.GetComment())
        std::abort();

    if (!info.WriteTag(f.path))
        std::abort();
    CMpegAudioInfo back;
    if (!back.ReadTag(f.path) || !(back.GetFlags() & CMpegAudioInfo::kFlagTag))
        std::abort();
    if (back.GetFileSize() != qint64(size) + (hadTag ? 0 : 128))
        std::abort();
    if (back.GetGenre() != info.GetGenre() || back.GetTrack() != info.GetTrack())
        std::abort();
    return 0;
}
