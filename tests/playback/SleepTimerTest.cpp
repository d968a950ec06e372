// The sleep timer with a clock of the test's own: when it fires, and that it fires once.
#include "playback/SleepTimer.h"
#include "playback/PlaybackTests.h"

#include <QtTest>

namespace {

class SleepTimerTest : public QObject
{
    Q_OBJECT

    QDateTime now{QDate(2026, 12, 7), QTime(22, 30, 0)};
    QStringList started;

    void setUp(CKivSleepTimer &timer)
    {
        started.clear();
        timer.SetClock([this] { return now; });
        timer.SetLauncher([this](const QString &program) { started.append(program); });
    }

private Q_SLOTS:
    void targetJoinsDateAndTime()
    {
        const QDateTime date(QDate(2026, 12, 24), QTime(8, 0));
        const QDateTime time(QDate(2001, 1, 1), QTime(23, 15, 42, 500));
        QCOMPARE(CKivSleepTimer::Target(date, time), QDateTime(QDate(2026, 12, 24), QTime(23, 15, 42)));
    }

    void boxOffStoresButStartsNoCheck()
    {
        CKivSleepTimer timer;
        setUp(timer);
        const QDateTime past = now.addSecs(-3600);
        QVERIFY(timer.Accepts(past, past, false));
        timer.Confirm(past, past, false);
        QVERIFY(!timer.IsRunning());
        QCOMPARE(timer.GetTime(), past);
        QVERIFY(!timer.Check());
        QVERIFY(started.isEmpty());
    }

    void pastTargetIsRefusedAndTheCurrentSecondAccepted()
    {
        CKivSleepTimer timer;
        setUp(timer);
        QVERIFY(!timer.Accepts(now, now.addSecs(-1), true));
        QVERIFY(timer.Accepts(now, now, true));
    }

    void firesOnceAndOnlyAfterTheTarget()
    {
        CKivSleepTimer timer;
        setUp(timer);
        const QDateTime target = now.addSecs(60);
        timer.Confirm(target, target, true);
        QVERIFY(timer.IsRunning());
        now = target;
        QVERIFY(!timer.Check());
        QVERIFY(started.isEmpty());
        now = target.addSecs(1);
        QVERIFY(timer.Check());
        QCOMPARE(started, QStringList{CKivSleepTimer::HelperPath()});
        QVERIFY(!timer.IsRunning());
        QVERIFY(timer.IsEnabled());
        QVERIFY(CKivSleepTimer::HelperPath().endsWith(QLatin1String("/shutdown")));
    }

    void theRealTimerStartsTheHelperWithinASecond()
    {
        CKivSleepTimer timer;
        setUp(timer);
        const QDateTime target = now.addSecs(60);
        timer.Confirm(target, target, true);
        QTest::qWait(1100);
        QVERIFY(started.isEmpty());
        now = target.addSecs(1);
        QTRY_COMPARE_WITH_TIMEOUT(started.size(), 1, 1500);
        QTest::qWait(1100);
        QCOMPARE(started.size(), 1);
    }

    void cancellingWhileRunningLeavesNoCheck()
    {
        CKivSleepTimer timer;
        setUp(timer);
        const QDateTime target = now.addSecs(60);
        timer.Confirm(target, target, true);
        // The dialog opens and is cancelled: the check stays paused.
        timer.Pause();
        now = target.addSecs(5);
        QTest::qWait(1100);
        QVERIFY(started.isEmpty());
        QVERIFY(!timer.IsRunning());
    }

    void helperStartsFromTheCurrentFolder()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString marker = dir.filePath(QStringLiteral("ran"));
        QFile helper(dir.filePath(QStringLiteral("shutdown")));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.write("#!/bin/sh\necho x >> '" + marker.toUtf8() + "'\n");
        helper.close();
        helper.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        CKivSleepTimer timer;
        timer.SetClock([this] { return now; });
        timer.Confirm(now, now, true);
        now = now.addSecs(2);
        QVERIFY(timer.Check());
        // The shell creates the file before it writes the line: wait for the line.
        const auto ranOnce = [&marker] {
            QFile ran(marker);
            return ran.open(QIODevice::ReadOnly) ? ran.readAll() : QByteArray();
        };
        QTRY_COMPARE(ranOnce(), QByteArray("x\n"));
        QVERIFY(!timer.Check());
        QDir::setCurrent(before);
        QTest::qWait(100);
        QCOMPARE(ranOnce(), QByteArray("x\n"));
    }
};

} // namespace

int runSleepTimerTest(int argc, char **argv)
{
    SleepTimerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SleepTimerTest.moc"
