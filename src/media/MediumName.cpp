#include "media/MediumName.h"

#include "core/BinaryText.h"
#include "media/MediumHeaderFile.h"

namespace KivMediumName {

QString cdPrefix()
{
    return QStringLiteral("CD:\\");
}

bool fitsHeader(const QString &name)
{
    return KivBinary::encodedLength(name) <= CKivMediumHeaderFile::MaxNameBytes;
}

bool isReserved(const QString &name, bool isCd)
{
    if (name.isEmpty() || name == QLatin1String("CD") || name == cdPrefix())
        return true;
    return !isCd && name.startsWith(cdPrefix());
}

QString tooLongText()
{
    return QStringLiteral("Der von Ihnen gewählte Mediumname ist zu lang!\n"
                          "Ein Mediumname darf höchstens 99 Zeichen lang sein;\n"
                          "Zeichen außerhalb des Windows-Zeichensatzes zählen dabei mehrfach.");
}

} // namespace KivMediumName
