// What the player's displays show: the text line, the times and the progress.
#include "playback/Player.h"

#include "playback/MediaBackend.h"
#include "playback/PlaySource.h"

#include <algorithm>
#include <cmath>

QString CKivPlayer::BannerText()
{
    return QStringLiteral("Melvora Mediaplayer");
}

QString CKivPlayer::NothingPlayableText()
{
    return QStringLiteral("Keine Datei der Liste konnte abgespielt werden.\nDie Wiedergabe wird beendet.");
}

QString CKivPlayer::TitleOf(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    const QString name = path.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.left(dot);
}

QString CKivPlayer::VolumeText(int volume)
{
    const double percent = (volume + 10000) * 0.0001 * 100;
    return QStringLiteral("Volume; ") + QString::number(static_cast<int>(std::trunc(percent)));
}

QString CKivPlayer::TimeText(double seconds)
{
    const double s = seconds < 0 ? 0.0 : seconds;
    const int minutes = static_cast<int>(std::trunc(s / 60));
    const int rest = static_cast<int>(std::trunc(s - 60.0 * minutes));
    return QString::asprintf("%02d;%02d", minutes, rest);
}

QString CKivPlayer::DisplayText() const
{
    switch (m_displayMode) {
    case ModeBanner:
        return BannerText();
    case ModeTitle:
        return TitleOf(m_currentFile);
    case ModeVolume:
        return VolumeText(m_backend->Volume());
    case ModeSource:
        return QStringLiteral("Source; ")
               + (m_currentSource ? m_currentSource->DisplayName() : QStringLiteral("No Source !"));
    default:
        return QString();
    }
}

double CKivPlayer::Position() const
{
    const double p = m_backend->CurrentPosition();
    return p < 0 ? 0.0 : p;
}

double CKivPlayer::Duration() const
{
    const double d = m_backend->Duration();
    return d < 0 ? 0.0 : d;
}

double CKivPlayer::Progress() const
{
    const double d = m_backend->Duration();
    return d > 0 ? Position() / d : 0.0;
}
