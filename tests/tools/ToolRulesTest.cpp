#include "support/TestRegistry.h"

#include "core/CodePage.h"
#include "mp3/Id3v1Tag.h"
#include "tools/FilenamePattern.h"
#include "tools/RenameRules.h"
#include "tools/ToolText.h"

#include <QtTest>

// The rules of the tag and renaming tools without files or a catalog: reading tags from file names,
// the renaming operations, the small text rules and the code page of ID3v1 texts.
class ToolRulesTest : public QObject
{
    Q_OBJECT

    // "SEP1|FIELD1|..." as the command line writes it.
    static KivFilenamePattern pattern(const QString &text)
    {
        const std::optional<KivFilenamePattern> p = KivFilenamePattern::FromText(text);
        return p ? *p : KivFilenamePattern{};
    }

private Q_SLOTS:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matched");
        QTest::addColumn<QString>("artist");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("track");
        QTest::addColumn<QString>("comment");

        QTest::newRow("default pattern, spaces trimmed")
            << "|Artist|-|Title" << "Queen - Innuendo.mp3" << true << "Queen" << "Innuendo" << -1 << "";
        QTest::newRow("default pattern, separator missing")
            << "|Artist|-|Title" << "Innuendo.mp3" << false << "" << "" << -1 << "";
        QTest::newRow("track, artist, title") << "|Track|-|Artist|-|Title" << "03-Queen-Innuendo.mp3" << true
                                              << "Queen" << "Innuendo" << 3 << "";
        QTest::newRow("long separator leaves its tail")
            << "|Artist| - |Title" << "Queen - Innuendo.mp3" << true << "Queen" << "- Innuendo" << -1 << "";
        QTest::newRow("fifth separator: remainder with extension")
            << "|Artist|-|Title|-|Track|-|Comment|-|Comment" << "A-B-1-C-rest.mp3" << true << "A" << "B" << 1
            << "rest.mp3";
        QTest::newRow("nothing to read fails") << "||" << "Queen - Innuendo.mp3" << false << "" << "" << -1 << "";
        QTest::newRow("one field takes the name without extension")
            << "|Title" << "Innuendo.mp3" << true << "" << "Innuendo" << -1 << "";
        QTest::newRow("failure keeps what was found") << "|Artist|-|Title|-|Comment" << "Queen - Innuendo.mp3"
                                                      << false << "Queen" << "" << -1 << "";
        QTest::newRow("leading separator cut from the start")
            << "[|Track|]|Title" << "[07] Song.mp3" << true << "" << "Song" << 7 << "";
        QTest::newRow("leading separator missing fails")
            << "[|Track|]|Title" << "07] Song.mp3" << false << "" << "" << -1 << "";
        QTest::newRow("absent second separator skips the first field")
            << "[|Track|]|Title|-|Artist" << "[Song-Band.mp3" << true << "Band" << "Song" << -1 << "";
        QTest::newRow("non-numeric track gives 0") << "|Track|-|Title" << "x-Song.mp3" << true << "" << "Song" << 0
                                                   << "";
        QTest::newRow("short name: empty tail") << "|Title" << "a.b" << true << "" << "" << -1 << "";
    }

    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, name);
        const KivFilenameFields f = pattern(text).Parse(name);
        QTEST(f.matched, "matched");
        QTEST(f.artist, "artist");
        QTEST(f.title, "title");
        QTEST(f.track, "track");
        QTEST(f.comment, "comment");
    }

    void folderNameYieldsToThePattern()
    {
        const KivFilenamePattern p = KivFilenamePattern::Default();
        KivFilenameFields f = p.Parse(QStringLiteral("Queen - Innuendo.mp3"), QStringLiteral("Ordner"), true, true);
        QCOMPARE(f.artist, QStringLiteral("Queen"));
        QCOMPARE(f.album, QStringLiteral("Ordner"));
        f = p.Parse(QStringLiteral("Innuendo.mp3"), QStringLiteral("Ordner"), true, false);
        QVERIFY(!f.matched);
        QCOMPARE(f.artist, QStringLiteral("Ordner"));
    }

    void patternTextAndSpec()
    {
        QCOMPARE(KivFilenamePattern::Default().Text(), QStringLiteral("Artist-Title"));
        QVERIFY(!KivFilenamePattern::FromText(QStringLiteral("|Artist|-|Year")));
        QVERIFY(!KivFilenamePattern::FromText(QStringLiteral("a|b|c|d|e|f|g|h|i|j|k")));
        const KivRenameRules::TagPattern tags =
            *KivRenameRules::TagPattern::FromText(QStringLiteral("Artist| - |Title"));
        QCOMPARE(tags.Text(), QStringLiteral("Artist - Title"));
        QVERIFY(!KivRenameRules::TagPattern::FromText(QStringLiteral("Genre")));
    }

    void renameOperations_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");

        QTest::newRow("runs of underscores, one space each") << "runs _  " << "a__b_c.mp3" << "a b c.mp3";
        QTest::newRow("underscores one by one") << "replace _  " << "a__b_c.mp3" << "a  b c.mp3";
        QTest::newRow("dot replaced by nothing") << "replace . " << "a.b.mp3" << "abmp3";
        QTest::newRow("replace several characters") << "replace ab X" << "abcabab.mp3" << "XcXX.mp3";
        QTest::newRow("empty old text changes nothing") << "replace  X" << "a.mp3" << "a.mp3";
        QTest::newRow("word starts") << "words" << "dAS bOOT.MP3" << "Das Boot.mp3";
        QTest::newRow("word starts, umlauts") << "words" << QString::fromUtf8("ärger über öl.mp3")
                                              << QString::fromUtf8("Ärger Über Öl.mp3");
        QTest::newRow("upper, umlauts") << "upper" << QString::fromUtf8("mädchen.mp3")
                                        << QString::fromUtf8("MÄDCHEN.MP3");
        QTest::newRow("lower, umlauts") << "lower" << QString::fromUtf8("ÜBER.MP3") << QString::fromUtf8("über.mp3");
        QTest::newRow("delete 3") << "delete 3" << "01 Song.mp3" << "Song.mp3";
        QTest::newRow("delete 3 of 3 characters") << "delete 3" << "abc" << "abc";
        QTest::newRow("insert at 2") << "insert 2" << "01Song.mp3" << "01 Song.mp3";
        QTest::newRow("insert at 0") << "insert 0" << "Song.mp3" << " Song.mp3";
        QTest::newRow("insert beyond the end") << "insert 5" << "abcde" << "abcde";
    }

    void renameOperations()
    {
        QFETCH(QString, operation);
        QFETCH(QString, name);
        const QString verb = operation.section(u' ', 0, 0);
        const QString a = operation.section(u' ', 1, 1);
        const QString b = operation.section(u' ', 2);
        QString result;
        if (verb == QLatin1String("runs"))
            result = KivRenameRules::replaceRuns(name, a.at(0), b);
        else if (verb == QLatin1String("replace"))
            result = KivRenameRules::replace(name, a, b);
        else if (verb == QLatin1String("words"))
            result = KivRenameRules::wordStarts(name);
        else if (verb == QLatin1String("upper"))
            result = KivRenameRules::upper(name);
        else if (verb == QLatin1String("lower"))
            result = KivRenameRules::lower(name);
        else if (verb == QLatin1String("delete"))
            result = KivRenameRules::deleteFront(name, a.toInt());
        else if (verb == QLatin1String("insert"))
            result = KivRenameRules::insertSpace(name, a.toInt());
        QTEST(result, "expected");
    }

    void insertTwiceInsertsTwoSpaces()
    {
        QCOMPARE(KivRenameRules::insertSpace(KivRenameRules::insertSpace(QStringLiteral("01Song"), 2), 2),
                 QStringLiteral("01  Song"));
    }

    void unusablePreviews_data()
    {
        QTest::addColumn<QString>("preview");
        QTest::addColumn<bool>("usable");
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("plain") << "Queen - Innuendo" << true;
        QTest::newRow("three dots") << "..." << true;
    }

    void unusablePreviews()
    {
        QFETCH(QString, preview);
        QTEST(KivRenameRules::unusableReason(preview).isEmpty(), "usable");
    }

    void textRules()
    {
        QCOMPARE(KivToolText::atoi(QStringLiteral("7a")), 7);
        QCOMPARE(KivToolText::atoi(QStringLiteral("")), 0);
        QCOMPARE(KivToolText::atoi(QStringLiteral(" -12x")), -12);
        QCOMPARE(KivToolText::atoi(QStringLiteral("99999999999")), std::numeric_limits<int>::max());
        QCOMPARE(KivToolText::trimmed(QStringLiteral("\t a b \r\n")), QStringLiteral("a b"));
        QCOMPARE(KivToolText::folderNameOfSubPath(QStringLiteral("Rock\\Live\\")), QStringLiteral("Live"));
        QCOMPARE(KivToolText::folderNameOfSubPath(QStringLiteral("Rock\\")), QString());
        QCOMPARE(KivToolText::folderNameOfSubPath(QString()), QString());
    }

    // A Windows-1251 tag reads as Cyrillic with that code page and is written back byte for byte.
    void codePageRoundTrip()
    {
        const QByteArray cp1251("\xcf\xf0\xe8\xe2\xe5\xf2", 6);  // "Привет"
        QByteArray block(CId3v1Tag::kSize, '\0');
        block.replace(0, 3, "TAG");
        block.replace(3, int(cp1251.size()), cp1251);
        block[127] = char(255);

        KivCodePage::setId3v1(QStringLiteral("Windows-1251"));
        CId3v1Tag tag;
        QVERIFY(tag.parse(block.constData()));
        QCOMPARE(tag.title, QString::fromUtf8("Привет"));
        QByteArray written(CId3v1Tag::kSize, '\0');
        tag.build(written.data());
        QCOMPARE(written, block);

        // Text the code page cannot hold becomes "?"; a full slot takes exactly 30 characters.
        tag.title = QString::fromUtf8("Ж€") + QString(40, u'x');
        tag.build(written.data());
        QCOMPARE(written.mid(3, 3), QByteArray("\xc6\x88x"));
        KivCodePage::setId3v1(QStringLiteral("KOI8-R"));
        tag.title = QString::fromUtf8("Ж");
        tag.build(written.data());
        QCOMPARE(written.mid(3, 2), QByteArray("\xf6\0", 2));

        // Automatic keeps the old rule: the same bytes read as Windows-1252.
        KivCodePage::setId3v1(KivCodePage::automatic());
        QVERIFY(tag.parse(block.constData()));
        QCOMPARE(tag.title, QString::fromUtf8("Ïðèâåò"));
        KivCodePage::setId3v1(QStringLiteral("no such page"));
        QCOMPARE(KivCodePage::id3v1(), KivCodePage::automatic());
        QVERIFY(KivCodePage::isKnown(QStringLiteral("KOI8-R")));
    }
};

MELVORA_TEST(ToolRulesTest);

#include "ToolRulesTest.moc"
