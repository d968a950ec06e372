#include "media/scan/ScanWalk.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// The search of a scan on a real folder tree: what it finds, in which order, and that it ends on
// link loops and passes over what it cannot read or represent.
class ScanWalkTest : public QObject
{
    Q_OBJECT

private:
    struct Result
    {
        QStringList files;   // sub-path + name, in the order found
        QStringList passed;  // paths reported for a "\" in their name
        bool complete = true;
    };

    QTemporaryDir dir;

    QString makeTree(const QString &name)
    {
        const QString root = dir.filePath(name) + QLatin1Char('/');
        QDir(root).removeRecursively();
        QDir().mkpath(root);
        return root;
    }

    static Result walk(const QString &folder, const QString &subPath, const QString &mediumRoot,
                       std::function<void(const QString &)> onPassed = nullptr)
    {
        Result result;
        CKivScanWalk walker({[] { return false; },
                             [&](const QString &sub, const QString &name) { result.files << sub + name; },
                             [&](const QString &path, bool) {
                                 result.passed << path;
                                 if (onPassed)
                                     onPassed(path);
                             }});
        result.complete = walker.Run(folder, subPath, mediumRoot);
        return result;
    }

private Q_SLOTS:
    void findsMp3FilesInAnyCaseFilesFirstSorted()
    {
        const QString root = makeTree(QStringLiteral("order"));
        QVERIFY(TestFiles::write(root + QStringLiteral("b.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("A.MP3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("c.mp3.txt")));
        QVERIFY(TestFiles::write(root + QStringLiteral("d.mp")));
        QVERIFY(TestFiles::write(root + QStringLiteral("Zed/z.Mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("Alpha/x.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("Alpha/Inner/y.mp3")));
        const Result r = walk(root, QString(), root);
        QCOMPARE(r.files, QStringList({QStringLiteral("A.MP3"), QStringLiteral("b.mp3"), QStringLiteral("Alpha\\x.mp3"),
                                       QStringLiteral("Alpha\\Inner\\y.mp3"), QStringLiteral("Zed\\z.Mp3")}));
    }

    void linkLoopsEndAndLinksIntoTheMediumArePassedOver()
    {
        const QString root = makeTree(QStringLiteral("loops"));
        QVERIFY(TestFiles::write(root + QStringLiteral("Rock/a.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("Jazz/b.mp3")));
        // Up to the root, sideways to a sibling, and to itself.
        QVERIFY(QFile::link(root, root + QStringLiteral("Rock/up")));
        QVERIFY(QFile::link(root + QStringLiteral("Jazz"), root + QStringLiteral("Rock/jazz")));
        QVERIFY(QFile::link(root + QStringLiteral("Rock"), root + QStringLiteral("Rock/self")));
        // A collection outside the medium, with a loop of its own.
        const QString outside = makeTree(QStringLiteral("outside"));
        QVERIFY(TestFiles::write(outside + QStringLiteral("Deep/o.mp3")));
        QVERIFY(QFile::link(outside + QStringLiteral("Deep"), outside + QStringLiteral("Deep/again")));
        QVERIFY(QFile::link(outside, root + QStringLiteral("ext")));

        const Result whole = walk(root, QString(), root);
        QCOMPARE(whole.files, QStringList({QStringLiteral("Jazz\\b.mp3"), QStringLiteral("Rock\\a.mp3"),
                                           QStringLiteral("ext\\Deep\\o.mp3")}));

        // A folder scan does not climb back up through a link.
        const Result rock = walk(root + QStringLiteral("Rock/"), QStringLiteral("Rock\\"), root);
        QCOMPARE(rock.files, QStringList({QStringLiteral("Rock\\a.mp3")}));
    }

    void unreadableFoldersArePassedOver()
    {
        if (geteuid() == 0)
            QSKIP("every folder is readable for root");
        const QString root = makeTree(QStringLiteral("locked"));
        QVERIFY(TestFiles::write(root + QStringLiteral("A/a.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("B/b.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("C/c.mp3")));
        QVERIFY(QFile::setPermissions(root + QStringLiteral("B"), QFileDevice::Permissions()));
        const Result r = walk(root, QString(), root);
        QFile::setPermissions(root + QStringLiteral("B"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                              | QFileDevice::ExeOwner);
        QCOMPARE(r.files, QStringList({QStringLiteral("A\\a.mp3"), QStringLiteral("C\\c.mp3")}));
    }

    void folderGoneBeforeItIsReadIsPassedOver()
    {
        const QString root = makeTree(QStringLiteral("vanishing"));
        QVERIFY(TestFiles::write(root + QStringLiteral("A\\x/a.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("B/b.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("C/c.mp3")));
        // While the walk reports "A\x", folder B (read as an entry already) disappears.
        const Result r = walk(root, QString(), root,
                              [&](const QString &) { QDir(root + QStringLiteral("B")).removeRecursively(); });
        QVERIFY(r.complete);
        QCOMPARE(r.files, QStringList({QStringLiteral("C\\c.mp3")}));
    }

    void namesWithBackslashArePassedOverAndReported()
    {
        const QString root = makeTree(QStringLiteral("backslash"));
        QVERIFY(TestFiles::write(root + QStringLiteral("AC\\DC/hit.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("odd\\name.mp3")));
        QVERIFY(TestFiles::write(root + QStringLiteral("ok.mp3")));
        const Result r = walk(root, QString(), root);
        QCOMPARE(r.files, QStringList({QStringLiteral("ok.mp3")}));
        QCOMPARE(r.passed, QStringList({root + QStringLiteral("odd\\name.mp3"), root + QStringLiteral("AC\\DC")}));
    }
};

MELVORA_TEST(ScanWalkTest);

#include "ScanWalkTest.moc"
