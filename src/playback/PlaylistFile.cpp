#include "playback/PlaylistFile.h"

#include "core/BinaryText.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace KivPlaylistFile {

QStringList Parse(const QByteArray &bytes)
{
    QStringList keys;
    const qsizetype records = (bytes.size() + RecordSize - 1) / RecordSize;
    keys.reserve(records);
    for (qsizetype i = 0; i < records; ++i) {
        const qsizetype offset = i * RecordSize;
        const int size = int(std::min<qsizetype>(RecordSize, bytes.size() - offset));
        keys.append(KivBinary::readSlot(bytes.constData() + offset, size));
    }
    return keys;
}

QByteArray Compose(const QStringList &keys)
{
    QByteArray bytes(keys.size() * RecordSize, '\0');
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QByteArray text = KivBinary::encodeText(keys[i]).left(RecordSize);
        std::copy(text.begin(), text.end(), bytes.begin() + i * RecordSize);
    }
    return bytes;
}

std::optional<QStringList> Read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return Parse(bytes);
}

bool Write(const QString &path, const QStringList &keys)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = Compose(keys);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString OpenErrorText()
{
    return QStringLiteral("Beim öffnen der Datei ist ein Fehler aufgetreten.");
}

QString OpenErrorCaption()
{
    return QStringLiteral("Playlist kann nicht geöffnet werden.");
}

QString SaveErrorText()
{
    return QStringLiteral("Beim speichern der Datei ist ein Fehler aufgetreten.");
}

QString SaveErrorCaption()
{
    return QStringLiteral("Playlist kann nicht gespeichert werden.");
}

} // namespace KivPlaylistFile
