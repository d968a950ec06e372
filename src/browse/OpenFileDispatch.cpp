#include "browse/OpenFileDispatch.h"

KivOpenFileDispatch::Kind KivOpenFileDispatch::Classify(const QString &path)
{
    // The extension is what follows the last dot of the file's own name, not of a folder above it.
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot < 0 ? QString() : name.mid(dot + 1);
    if (extension == QLatin1String("imp"))
        return Kind::ImportList;
    if (extension == QLatin1String("exp"))
        return Kind::ExportFile;
    if (extension == QLatin1String("mar"))
        return Kind::MediumArchive;
    return Kind::Invalid;
}

QString KivOpenFileDispatch::DialogFilter()
{
    return QStringLiteral("Kiv Import Files (*.imp)|*.imp|Kiv Export Files (*.exp)|*.exp|Kiv Medium Archive "
                          "(*.mar)|*.mar||");
}

QString KivOpenFileDispatch::DefaultExtension()
{
    return QStringLiteral("*.imp; *.exp; *.mar");
}

QString KivOpenFileDispatch::InvalidText()
{
    return QStringLiteral("Die ausgewählte Datei kann nicht geöffnet werden !");
}

QString KivOpenFileDispatch::InvalidCaption()
{
    return QStringLiteral("Warnung Dateiformat ungültig");
}
