#include "mp3/Mp3Fixtures.h"

#include "mp3/MemorySource.h"
#include "mp3/SlowFrameWalk.h"

#include <QTest>

namespace Mp3Fixtures {

quint32 Header::word() const
{
    return 0xFFE00000u | (quint32(versionBits & 3) << 19) | (quint32(layerBits & 3) << 17) |
           (crc ? 0u : 1u) << 16 | (quint32(bitRateIndex & 15) << 12) | (quint32(sampleRateIndex & 3) << 10) |
           (padding ? 1u : 0u) << 9 | (quint32(channelMode & 3) << 6) | (copyright ? 1u : 0u) << 3 |
           (original ? 1u : 0u) << 2 | quint32(emphasis & 3);
}

QByteArray frame(const Header &h, int length)
{
    QByteArray f(qMax(length, 4), '\0');
    const quint32 w = h.word();
    for (int i = 0; i < 4; ++i)
        f[i] = char((w >> (24 - 8 * i)) & 0xFF);
    for (int i = 4; i < f.size(); ++i)
        f[i] = char(0x20 + (i % 0x50));
    return f;
}

QByteArray frames(const Header &h, int length, int count)
{
    return frame(h, length).repeated(count);
}

QByteArray id3v1(const QByteArray &title, int track, int genre, const QByteArray &comment)
{
    QByteArray b(128, '\0');
    b.replace(0, 3, "TAG");
    b.replace(3, qMin<qsizetype>(title.size(), 30), title.left(30));
    b.replace(97, qMin<qsizetype>(comment.size(), 30), comment.left(30));
    if (track != 0) {
        b[125] = 0;
        b[126] = char(track);
    }
    b[127] = char(genre);
    return b;
}

QByteArray id3v2(int bodySize, bool footer)
{
    QByteArray t("ID3");
    t.append(char(footer ? 4 : 3)).append('\0').append(char(footer ? 0x10 : 0));
    for (int shift = 21; shift >= 0; shift -= 7)
        t.append(char((bodySize >> shift) & 0x7F));
    QByteArray body(bodySize, '\0');
    for (int i = 0; i + 1 < bodySize; i += 97) {
        body[i] = char(0xFF);
        body[i + 1] = char(0xE0); // a JPEG APP0 marker, also a frame sync
    }
    t.append(body);
    if (footer)
        t.append("3DI").append(char(4)).append('\0').append(char(0x10)).append(t.mid(6, 4));
    return t;
}

QString describe(const KivMpeg::FrameWalkResult &r)
{
    return QStringLiteral("frames %1 sum %2 duration %3 v%4 l%5 crc%6 sr %7 mode %8 emph %9 c%10 o%11")
        .arg(r.frames)
        .arg(r.bitRateSum)
        .arg(r.duration, 0, 'g', 17)
        .arg(r.version)
        .arg(r.layer)
        .arg(r.crc)
        .arg(r.sampleRate)
        .arg(r.channelMode)
        .arg(r.emphasis)
        .arg(r.copyright)
        .arg(r.original);
}

KivMpeg::FrameWalkResult walk(const QByteArray &data)
{
    CKivMemorySource source(data.constData(), data.size());
    const KivMpeg::FrameWalkResult expected = slowWalkFrames(source);
    for (qint64 chunk : {qint64(16), qint64(101), qint64(4096), KivMpeg::kDefaultChunkSize}) {
        const KivMpeg::FrameWalkResult got = KivMpeg::walkFrames(source, chunk);
        if (!(got == expected)) {
            const QString msg = QStringLiteral("chunk %1: buffered walk %2, reference %3")
                                    .arg(chunk)
                                    .arg(describe(got), describe(expected));
            QTest::qFail(qPrintable(msg), __FILE__, __LINE__);
        }
    }
    return expected;
}

} // namespace Mp3Fixtures
