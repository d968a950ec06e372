#include "mp3/Id3v2Builder.h"

namespace Id3v2Builder {
namespace {

QByteArray syncSafe(quint32 v)
{
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = char((v >> (7 * (3 - i))) & 0x7F);
    return out;
}

QByteArray bigEndian(quint32 v, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[i] = char((v >> (8 * (bytes - 1 - i))) & 0xFF);
    return out;
}

QByteArray terminator(int encoding)
{
    return encoding == 1 || encoding == 2 ? QByteArray(2, '\0') : QByteArray(1, '\0');
}

} // namespace

QByteArray encode(int encoding, const QString &text)
{
    switch (encoding) {
    case 0:
        return text.toLatin1();
    case 3:
        return text.toUtf8();
    default: {
        QByteArray out;
        if (encoding == 1)
            out.append("\xFF\xFE", 2);
        for (const QChar c : text) {
            const char hi = char(c.unicode() >> 8);
            const char lo = char(c.unicode() & 0xFF);
            if (encoding == 1)
                out.append(lo).append(hi);
            else
                out.append(hi).append(lo);
        }
        return out;
    }
    }
}

QByteArray textBody(int encoding, const QStringList &values)
{
    QByteArray out(1, char(encoding));
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += terminator(encoding);
        out += encode(encoding, values[i]);
    }
    return out;
}

QByteArray commentBody(int encoding, const QString &description, const QString &text)
{
    return QByteArray(1, char(encoding)) + "eng" + encode(encoding, description) + terminator(encoding)
         + encode(encoding, text);
}

QByteArray pictureBody(int pictureSize, int version)
{
    QByteArray body(1, '\0');
    body += version == 2 ? QByteArray("JPG") : QByteArray("image/jpeg", 11);
    body += char(3);   // front cover
    body += '\0';      // empty description
    QByteArray picture(pictureSize, '\0');
    for (int i = 0; i < pictureSize; ++i)
        picture[i] = char(i % 4 == 0 ? 0xFF : (i % 4 == 1 ? 0xFB : (i % 4 == 2 ? 0xFF : 0x00)));
    return body + picture;
}

QByteArray unsynchronise(const QByteArray &data)
{
    QByteArray out;
    for (qsizetype i = 0; i < data.size(); ++i) {
        out += data[i];
        const auto c = static_cast<unsigned char>(data[i]);
        if (c == 0xFF && (i + 1 == data.size() || (static_cast<unsigned char>(data[i + 1]) & 0xE0) == 0xE0
                          || data[i + 1] == 0))
            out += '\0';
    }
    return out;
}

QByteArray tag(const QList<Frame> &frames, const Options &o)
{
    QByteArray body;
    if (o.extendedHeader && o.version == 3)
        body += bigEndian(6, 4) + QByteArray(6, '\0');
    else if (o.extendedHeader && o.version == 4)
        body += syncSafe(6) + QByteArray("\x01\x00", 2);
    for (const Frame &f : frames) {
        QByteArray data = f.body;
        quint8 flags = f.flags;
        if (o.version == 4) {
            if (o.unsync) {
                data = unsynchronise(data);
                flags |= 0x02;
            }
            if (o.dataLengthIndicator) {
                data = syncSafe(quint32(f.body.size())) + data;
                flags |= 0x01;
            }
        }
        if (o.version == 2)
            body += f.id + bigEndian(quint32(data.size()), 3) + data;
        else
            body += f.id + (o.version == 4 ? syncSafe(quint32(data.size())) : bigEndian(quint32(data.size()), 4))
                  + char(0) + char(flags) + data;
    }
    body += QByteArray(o.padding, '\0');
    if (o.unsync && o.version < 4)
        body = unsynchronise(body);
    char flags = 0;
    if (o.unsync)
        flags |= char(0x80);
    if (o.extendedHeader)
        flags |= 0x40;
    if (o.footer)
        flags |= 0x10;
    const QByteArray size = syncSafe(quint32(body.size()));
    QByteArray out = QByteArray("ID3") + char(o.version) + char(0) + flags + size + body;
    if (o.footer)
        out += QByteArray("3DI") + char(o.version) + char(0) + flags + size;
    return out;
}

} // namespace Id3v2Builder
