// The Qt Multimedia back end plays a short lame-encoded file to its end, and the player starts the
// next file by itself.
#include "playback/FakeBackend.h"
#include "lists/ListFixture.h"
#include "playback/Player.h"
#include "playback/QtMediaBackend.h"

#include "playback/PlaybackTests.h"
#include <QElapsedTimer>
#include <QFileInfo>
#include <QtTest>

namespace {

class QtBackendTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString copyOfTone(const QString &name)
    {
        const QString path = dir.filePath(name);
        QFile::remove(path);
        if (!QFile::copy(QStringLiteral(MELVORA_TONE_FILE), path))
            return QString();
        return path;
    }

private Q_SLOTS:
    void gainFollowsDecibels()
    {
        QCOMPARE(CKivQtMediaBackend::GainOf(0), 1.0f);
        QCOMPARE(CKivQtMediaBackend::GainOf(-10000), 0.0f);
        QCOMPARE(CKivQtMediaBackend::GainOf(-20000), 0.0f);
        QVERIFY(qAbs(CKivQtMediaBackend::GainOf(-2000) - 0.1f) < 1e-4f);
        QVERIFY(CKivQtMediaBackend::GainOf(-600) < CKivQtMediaBackend::GainOf(-400));
    }

    void playsToTheEnd()
    {
        CKivQtMediaBackend backend;
        const QString path = copyOfTone(QStringLiteral("one.mp3"));
        QVERIFY(!path.isEmpty());
        QSignalSpy ended(&backend, &IKivMediaBackend::mediaEnded);
        backend.SetFileName(path);
        backend.Play();
        QTRY_VERIFY_WITH_TIMEOUT(backend.Duration() > 0.5, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(backend.CurrentPosition() > 0.1, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, 10000);
        QVERIFY(!backend.HasFailed());
        QCOMPARE(backend.CurrentPosition(), backend.Duration());
        backend.SetFileName(QString());
        QCOMPARE(backend.CurrentPosition(), 0.0);
        QCOMPARE(backend.Duration(), 0.0);
    }

    void brokenFileFails()
    {
        CKivQtMediaBackend backend;
        const QString path = dir.filePath(QStringLiteral("broken.mp3"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x5a'));
        file.close();
        QSignalSpy ended(&backend, &IKivMediaBackend::mediaEnded);
        backend.SetFileName(path);
        backend.Play();
        QTRY_VERIFY_WITH_TIMEOUT(backend.HasFailed(), 10000);
        QCOMPARE(ended.size(), 1);
    }

    void playerWalksTheListThroughQtMultimedia()
    {
        ListFixture f;
        QVERIFY(f.setUp());
        FakeSource list(0, QStringLiteral("Mp3 Liste"));
        for (const QString &name : {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")}) {
            const CKivMp3::Ptr item = f.byName(name);
            QVERIFY(item);
            QVERIFY(QFile::remove(item->FullPath()));
            QVERIFY(QFile::copy(QStringLiteral(MELVORA_TONE_FILE), item->FullPath()));
            list.items.push_back(item);
        }
        auto owned = std::make_unique<CKivQtMediaBackend>();
        CKivQtMediaBackend *backend = owned.get();
        {
            CKivPlayer player(std::move(owned));
            player.RegisterSource(&list);
            player.SetActiveSource(&list, false);
            player.Play();
            QCOMPARE(QFileInfo(backend->FileName()).fileName(), QStringLiteral("a.mp3"));
            QTRY_VERIFY_WITH_TIMEOUT(backend->CurrentPosition() > 0.1, 5000);
            // At the end of the first file the second one starts by itself.
            QTRY_COMPARE_WITH_TIMEOUT(QFileInfo(backend->FileName()).fileName(), QStringLiteral("b.mp3"), 10000);
            // The mark moves with the file; checked at once, since the short tone may end again
            // (and wrap round to a.mp3) while a busy machine waits below.
            QCOMPARE(list.mark, 1);
            QTRY_VERIFY_WITH_TIMEOUT(backend->CurrentPosition() > 0.1, 5000);
            QCOMPARE(player.EffectiveState(), int(CKivPlayer::Playing));
            QVERIFY(f.ui.messages().isEmpty());
        }
        f.doc.reset();
    }
};

} // namespace

int runQtBackendTest(int argc, char **argv)
{
    QtBackendTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "QtBackendTest.moc"
