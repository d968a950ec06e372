#include "setup/DesktopEntry.h"
#include "setup/FileCopyStep.h"
#include "setup/SetupTests.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The file-copy step (files, folders, replacing, missing sources, links) and the desktop entries it
// leaves instead of shell links.
class FileStepsTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

    static CKivFileCopyStep::Entry entry(const QString &source, const QString &name, const QString &target,
                                         bool optional = false)
    {
        CKivFileCopyStep::Entry e;
        e.sourceFolder = source;
        e.fileName = name;
        e.destinationFolder = target;
        e.optional = optional;
        return e;
    }

    static void run(CKivInstallStep &step)
    {
        QVERIFY(step.Begin());
        int calls = 1;
        while (step.Next())
            ++calls;
        QCOMPARE(calls, step.Units());
        QCOMPARE(step.CurrentUnit(), step.Units());
    }

private Q_SLOTS:
    void copiesFilesAndFoldersAndGoesOnPastAFailure()
    {
        const QString source = path(QStringLiteral("Data/"));
        const QString target = path(QStringLiteral("Ziel/Unter/"));
        QVERIFY(TestFiles::write(source + QStringLiteral("melvora"), "neu"));
        QFile::setPermissions(source + QStringLiteral("melvora"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(TestFiles::write(source + QStringLiteral("Handbuch/index.htm"), "<html>"));
        QVERIFY(TestFiles::write(source + QStringLiteral("Handbuch/bilder/a.png"), "png"));
        QVERIFY(TestFiles::write(target + QStringLiteral("melvora"), "alt"));  // an earlier installation

        CKivFileCopyStep step(QStringLiteral("Programm Files werden kopiert."),
                              {entry(source, QStringLiteral("fehlt"), target),
                               entry(source, QStringLiteral("melvora"), target),
                               entry(source, QStringLiteral("optional"), target, true),
                               entry(source, QStringLiteral("Handbuch"), target)},
                              {});
        run(step);
        QCOMPARE(step.Failures(), QStringList{QStringLiteral("fehlt")});
        QCOMPARE(TestFiles::read(target + QStringLiteral("melvora")), QByteArray("neu"));
        QVERIFY(QFileInfo(target + QStringLiteral("melvora")).isExecutable());
        QVERIFY(!QFileInfo::exists(target + QStringLiteral("melvora.part")));
        QCOMPARE(TestFiles::read(target + QStringLiteral("Handbuch/bilder/a.png")), QByteArray("png"));
        QCOMPARE(step.Status(), QStringLiteral("Handbuch"));
    }

    void aDestinationThatCannotBeMadeFailsThatEntryOnly()
    {
        const QString source = path(QStringLiteral("Quelle/"));
        QVERIFY(TestFiles::write(source + QStringLiteral("a"), "a"));
        QVERIFY(TestFiles::write(path(QStringLiteral("Datei")), "x"));
        CKivFileCopyStep step(QStringLiteral("t"),
                              {entry(source, QStringLiteral("a"), path(QStringLiteral("Datei/unter/"))),
                               entry(source, QStringLiteral("a"), path(QStringLiteral("gut/")))},
                              {});
        run(step);
        QCOMPARE(step.Failures(), QStringList{QStringLiteral("a")});
        QVERIFY(QFileInfo::exists(path(QStringLiteral("gut/a"))));
    }

    void theProgramGetsLinksOnAnExistingDesktopAndInTheMenu()
    {
        const QString source = path(QStringLiteral("Links/Data/"));
        const QString target = path(QStringLiteral("Links/Mit Leerzeichen/"));
        QVERIFY(TestFiles::write(source + QStringLiteral("melvora"), "p"));
        QVERIFY(TestFiles::write(source + QStringLiteral("melvora.svg"), "<svg/>"));
        CKivFileCopyStep::Entry program = entry(source, QStringLiteral("melvora"), target);
        program.desktopLink = true;
        program.menuLink = true;
        program.menuSubFolder = QStringLiteral("Kiv/Melvora/");
        program.iconFile = QStringLiteral("melvora.svg");
        const QString menu = path(QStringLiteral("Links/applications"));

        CKivFileCopyStep noDesktop(QStringLiteral("t"), {entry(source, QStringLiteral("melvora.svg"), target), program},
                                   {path(QStringLiteral("Links/Desktop")), menu});
        run(noDesktop);
        QVERIFY(!noDesktop.Failed());
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("Links/Desktop"))));  // no desktop is made up

        QVERIFY(QDir().mkpath(path(QStringLiteral("Links/Desktop"))));
        CKivFileCopyStep step(QStringLiteral("t"), {program}, {path(QStringLiteral("Links/Desktop")), menu});
        run(step);
        const QString desktopLink = path(QStringLiteral("Links/Desktop/melvora.desktop"));
        const QString menuLink = menu + QStringLiteral("/Kiv/Melvora/melvora.desktop");
        QVERIFY(QFileInfo(desktopLink).isExecutable());
        const QString text = QString::fromUtf8(TestFiles::read(menuLink));
        const QString folder = QDir(target).absolutePath();
        QVERIFY2(text.contains(QStringLiteral("Exec=\"") + folder + QStringLiteral("/melvora\"\n")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Path=") + folder + QLatin1Char('\n')));
        QVERIFY(text.contains(QStringLiteral("Icon=") + folder + QStringLiteral("/melvora.svg\n")));
        QVERIFY(text.startsWith(QStringLiteral("[Desktop Entry]\nType=Application\nName=Melvora\n")));
    }

    void desktopEntriesQuoteTheProgramAndRefuseLineBreaks()
    {
        QCOMPARE(CKivDesktopEntry::ExecArgument(QStringLiteral("/opt/melvora")), QStringLiteral("/opt/melvora"));
        QCOMPARE(CKivDesktopEntry::ExecArgument(QStringLiteral("/a b/$x/\"q\"/100%")),
                 QStringLiteral("\"/a b/\\$x/\\\"q\\\"/100%%\""));
        CKivDesktopEntry entry;
        entry.name = QStringLiteral("Melvora");
        entry.program = QStringLiteral("/a\\b/melvora");
        entry.workingFolder = QStringLiteral("/a\\b");
        // The backslash is quoted for the Exec rules, then escaped as a string value.
        QVERIFY(entry.Text().contains(QStringLiteral("Exec=\"/a\\\\\\\\b/melvora\"\n")));
        QVERIFY(entry.Text().contains(QStringLiteral("Path=/a\\\\b\n")));

        entry.workingFolder = QStringLiteral("/a\nExec=/bin/evil");
        QVERIFY(!entry.Write(path(QStringLiteral("evil.desktop"))));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("evil.desktop"))));
    }
};

MELVORA_TEST(FileStepsTest, setupSetUp);

#include "FileStepsTest.moc"
