#include "mp3/Id3v2Builder.h"
#include "scan/ScanFixture.h"
#include "support/TestRegistry.h"

#include "mp3/MpegAudioInfo.h"
#include "mp3/TagSettings.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Files tagged with ID3v2 only, as today's taggers write them, through full and quick scans into the
// catalog and out again through the search.
class ScanId3v2Test : public QObject
{
    Q_OBJECT

private:
    ScanFixture f;
    QTemporaryDir config;

    static QByteArray v2Song(int version, const QString &title, const QString &genre)
    {
        Id3v2Builder::Options o;
        o.version = version;
        o.padding = 100;
        const bool v22 = version == 2;
        return Id3v2Builder::tag({{v22 ? "PIC" : "APIC", Id3v2Builder::pictureBody(50000, version)},
                                  {v22 ? "TT2" : "TIT2", Id3v2Builder::textBody(1, {title})},
                                  {v22 ? "TP1" : "TPE1", Id3v2Builder::textBody(0, {QStringLiteral("Künstlerin")})},
                                  {v22 ? "TCO" : "TCON", Id3v2Builder::textBody(0, {genre})}},
                                 o)
             + SyntheticMp3::frames(30);
    }

    QString search(const QString &text)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(MELVORA_CLI),
                      {QStringLiteral("search"), text, QStringLiteral("--dsn"), CatalogFixture::dataSourceName(),
                       QStringLiteral("--user"), QStringLiteral("anna"), QStringLiteral("--password"),
                       QStringLiteral("geheim")});
        return process.waitForFinished(120000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
    }

private Q_SLOTS:
    void init() { QVERIFY(f.recreate()); }
    void cleanup() { CMpegAudioInfo::SetReadId3v1Only(false); }

    void fullAndQuickScansShowId3v2Titles()
    {
        const QString root = f.addMedium(QStringLiteral("Neu"));
        QVERIFY(TestFiles::write(root + QStringLiteral("a.mp3"), v2Song(3, QStringLiteral("Zwölf Sterne über Köln"), QStringLiteral("(17)"))));
        QVERIFY(TestFiles::write(root + QStringLiteral("b.mp3"), v2Song(4, QStringLiteral("Nachtfahrt ★"), QStringLiteral("Electro Swing"))));
        QVERIFY(TestFiles::write(root + QStringLiteral("c.mp3"), v2Song(2, QStringLiteral("Alte Schachtel"), QStringLiteral("Jazz"))));

        for (const bool quick : {false, true}) {
            f.scan(QStringLiteral("Neu"), QString(), quick);
            const QHash<QString, ScanFixture::Row> rows = f.rows(QStringLiteral("Neu"));
            QCOMPARE(rows.size(), 3);
            QCOMPARE(rows.value(QStringLiteral("a.mp3")).title, QStringLiteral("Zwölf Sterne über Köln"));
            QCOMPARE(rows.value(QStringLiteral("a.mp3")).artist, QStringLiteral("Künstlerin"));
            QCOMPARE(rows.value(QStringLiteral("a.mp3")).genreName, QStringLiteral("Rock"));
            QCOMPARE(rows.value(QStringLiteral("b.mp3")).title, QStringLiteral("Nachtfahrt ★"));
            QCOMPARE(rows.value(QStringLiteral("b.mp3")).genreName, QStringLiteral("Electro Swing"));
            QCOMPARE(rows.value(QStringLiteral("c.mp3")).title, QStringLiteral("Alte Schachtel"));
            // Frames found and an ID3v2 tag read; the quick import stores -1 as ever.
            QCOMPARE(rows.value(QStringLiteral("a.mp3")).validity,
                     quick ? -1 : CMpegAudioInfo::kFlagFrames | CMpegAudioInfo::kFlagId3v2);
            QCOMPARE(rows.value(QStringLiteral("a.mp3")).frames, quick ? -1 : 30);
        }

        const QStringList hits = search(QStringLiteral("Sterne")).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(hits.size(), 1);
        QVERIFY(hits.first().contains(QStringLiteral("\ta.mp3\tKünstlerin\tZwölf Sterne über Köln\t")));
    }

    // With "Nur ID3v1 Tags lesen" the scan reads the ID3v1 block alone, as before.
    void settingGivesId3v1Only()
    {
        const QString root = f.addMedium(QStringLiteral("Alt"));
        QVERIFY(TestFiles::write(root + QStringLiteral("a.mp3"),
                                 v2Song(3, QStringLiteral("Langer ID3v2 Titel"), QStringLiteral("Rock"))
                                     + SyntheticMp3::tag("Kurzer Titel")));
        KivTagSettings::SetNurId3v1Lesen(f.catalog.settings(), true);
        f.scan(QStringLiteral("Alt"));
        QCOMPARE(f.rows(QStringLiteral("Alt")).value(QStringLiteral("a.mp3")).title, QStringLiteral("Kurzer Titel"));
        QCOMPARE(f.rows(QStringLiteral("Alt")).value(QStringLiteral("a.mp3")).validity,
                 CMpegAudioInfo::kFlagTag | CMpegAudioInfo::kFlagFrames);
        KivTagSettings::SetNurId3v1Lesen(f.catalog.settings(), false);
        f.scan(QStringLiteral("Alt"));
        QCOMPARE(f.rows(QStringLiteral("Alt")).value(QStringLiteral("a.mp3")).title, QStringLiteral("Langer ID3v2 Titel"));
    }
};

MELVORA_TEST(ScanId3v2Test);

#include "ScanId3v2Test.moc"
