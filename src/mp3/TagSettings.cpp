#include "mp3/TagSettings.h"

#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "mp3/MpegAudioInfo.h"

namespace {

const QString kSection = QStringLiteral("Tags");
const QString kKey = QStringLiteral("NurID3v1");

} // namespace

namespace KivTagSettings {

bool GetNurId3v1Lesen(const CKivSettings &settings)
{
    return settings.store().value(kSection, kKey, QStringLiteral("0")).toInt() == 1;
}

void SetNurId3v1Lesen(CKivSettings &settings, bool only)
{
    settings.store().setValue(kSection, kKey, only ? QStringLiteral("1") : QStringLiteral("0"));
}

void Apply(const CKivSettings &settings)
{
    CMpegAudioInfo::SetReadId3v1Only(GetNurId3v1Lesen(settings));
}

} // namespace KivTagSettings
