#include "BeetsPeer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

QProcess *beet(const QString &config, const QString &workFolder, const QStringList &args)
{
    auto *process = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BEETSDIR"), workFolder);
    env.insert(QStringLiteral("HOME"), workFolder);
    process->setProcessEnvironment(env);
    process->start(QStringLiteral("beet"), QStringList({QStringLiteral("-c"), config}) + args);
    return process;
}

} // namespace

BeetsPeer::Result BeetsPeer::Import(const QString &library, const QString &workFolder)
{
    Result result;
    if (QStandardPaths::findExecutable(QStringLiteral("beet")).isEmpty()) {
        result.error = QStringLiteral("beet is not installed (Debian package beets)");
        return result;
    }
    QDir(workFolder).removeRecursively();
    QDir().mkpath(workFolder);
    const QString config = workFolder + QStringLiteral("/config.yaml");
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = QStringLiteral("cannot write ") + config;
        return result;
    }
    file.write(("directory: " + workFolder.toUtf8() + "/music\n"
                "library: " + workFolder.toUtf8() + "/library.db\n"
                "plugins: []\n"
                "import:\n  copy: no\n  write: no\n  autotag: no\n  quiet: yes\n"));
    file.close();

    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<QProcess> import(beet(config, workFolder,
                                          {QStringLiteral("import"), QStringLiteral("-A"), QStringLiteral("-C"),
                                           QStringLiteral("-W"), QStringLiteral("-q"), library}));
    if (!import->waitForFinished(-1) || import->exitCode() != 0) {
        result.error = QStringLiteral("beet import failed: ") + QString::fromLocal8Bit(import->readAllStandardError());
        return result;
    }
    result.seconds = double(timer.nsecsElapsed()) / 1e9;
    result.ran = true;

    std::unique_ptr<QProcess> list(beet(config, workFolder, {QStringLiteral("ls"), QStringLiteral("-f"), QStringLiteral("x")}));
    list->waitForFinished(-1);
    result.imported = int(list->readAllStandardOutput().count('\n'));
    return result;
}
