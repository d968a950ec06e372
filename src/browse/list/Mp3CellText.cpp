#include "browse/list/Mp3CellText.h"

#include "media/Medium.h"
#include "mp3/item/Mp3Item.h"
#include "mp3/item/Mp3Status.h"

namespace KivMp3CellText {

using KivMp3Column::Field;

namespace {

QString number(int value)
{
    return value == -1 ? QString() : QString::number(value);
}

QString yesNo(int flag)
{
    if (flag == -1)
        return QString();
    return flag ? QStringLiteral("Ja") : QStringLiteral("Nein");
}

QString untrimmed(const CKivMp3 &item, Field field)
{
    switch (field) {
    case Field::Hidden:
    case Field::Type:
    case Field::Status:
    case Field::Rating:
        return QString();
    case Field::Id:
        return number(item.GetID());
    case Field::Filename:
        return item.GetFilename();
    case Field::Size:
        return item.GetFileSize() == -1 ? QString() : item.SizeText();
    case Field::Length:
        return item.LengthText();
    case Field::Album:
        return item.GetAlbum();
    case Field::Artist:
        return item.GetArtist();
    case Field::Title:
        return item.GetTitle();
    case Field::Track:
        // No track (0) shows as an empty cell, as a negative one would.
        return item.GetTrackNr() > 0 ? QString::number(item.GetTrackNr()) : QString();
    case Field::Genre:
        return item.GetGenreName();
    case Field::Year:
        return item.GetYear();
    case Field::Comment:
        return item.GetComment();
    case Field::Mediumname:
        return item.GetMediumname();
    case Field::Drive:
        return item.Medium() ? item.Medium()->GetDrive() : QString();
    case Field::Path:
        return (item.Medium() ? item.Medium()->GetPath() : QString()) + item.GetSubPath();
    case Field::SampleRate:
        return number(item.GetSampleRate());
    case Field::BitRate:
        return number(item.GetBitRate());
    case Field::Layer:
        return number(item.GetMpegLayer());
    case Field::Version:
        return item.VersionText();
    case Field::ChannelMode:
        return item.ChannelModeText();
    case Field::Emphasis:
        return item.EmphasisText();
    case Field::Copyright:
        return yesNo(item.GetCopyright());
    case Field::Original:
        return yesNo(item.GetOriginal());
    case Field::Frames:
        return number(item.GetFrames());
    case Field::Crc:
        return yesNo(item.GetHasCRC());
    case Field::Anlegedatum: {
        const QDateTime date = item.GetAnlegedatum();
        return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
    }
    }
    return QStringLiteral("Error");
}

} // namespace

QString text(const CKivMp3 &item, Field field)
{
    return untrimmed(item, field).trimmed();
}

QString imageText(int key)
{
    switch (key) {
    case TypeOnline:
        return QStringLiteral("Mp3 Datei");
    case TypePlaying:
        return QStringLiteral("Mp3 Datei, wird gespielt");
    case TypeNotReachable:
        return QStringLiteral("Mp3 Datei, nicht erreichbar");
    case TypeMarked:
        return QStringLiteral("Mp3 Datei, markiert");
    case TypeImportReady:
        return QStringLiteral("zu importieren");
    case TypeImportWaiting:
        return QStringLiteral("zu importieren, Quelle nicht erreichbar");
    case TypeRequestedOnline:
        return QStringLiteral("angefordert");
    case TypeRequestedOffline:
        return QStringLiteral("angefordert, Medium nicht online");
    case StateNotAssigned:
        return QStringLiteral("nicht zugeordnet");
    case StateOffline:
        return QStringLiteral("offline");
    case StateOnline:
        return QStringLiteral("online");
    default:
        if (key >= 4 && key <= 8)
            return QStringLiteral("Bewertung %1").arg(key - 3);
        return QString();
    }
}

int typeImage(int status, bool playing)
{
    switch (status) {
    case KivMp3Status::Online:
        return playing ? TypePlaying : TypeOnline;
    case KivMp3Status::NotAssigned:
    case KivMp3Status::Offline:
    case KivMp3Status::Unknown:
    case KivMp3Status::NotStored:
        return TypeNotReachable;
    case KivMp3Status::Marked:
        return TypeMarked;
    case KivMp3Status::ImportReady:
        return TypeImportReady;
    case KivMp3Status::ImportWaiting:
        return TypeImportWaiting;
    case KivMp3Status::RequestedOnline:
        return TypeRequestedOnline;
    case KivMp3Status::RequestedOffline:
        return TypeRequestedOffline;
    default:
        return NoImage;
    }
}

int imageKey(CKivMp3 &item, Field field, const CKivMedienListe *media, bool playing)
{
    switch (field) {
    case Field::Type:
        return typeImage(item.StatusCode(media), playing);
    case Field::Status: {
        const int state = item.MediumState();
        return state >= 0 && state <= 2 ? state + 1 : NoImage;
    }
    case Field::Rating: {
        const int rating = item.GetBewertung();
        return rating >= 1 && rating <= 5 ? rating + 3 : NoImage;
    }
    default:
        return NoImage;
    }
}

} // namespace KivMp3CellText
