// Throughput of the frame walk and the quick tag read on a folder of MP3 files, beside cat (the bound
// for reading every byte) and peers that walk every frame (mp3val, ffprobe -count_frames), all with
// the page cache warm. Prints one table: wall-clock rates, and rates per CPU second (this process
// plus the tools it starts), which stay comparable when other work shares the machine.
//   bench_mp3 FOLDER
#include "mp3/MemorySource.h"
#include "mp3/MpegAudioInfo.h"
#include "mp3/PosixFile.h"
#include "mp3/SlowFrameWalk.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#include <algorithm>
#include <ctime>
#include <functional>
#include <sys/resource.h>
#include <vector>

namespace {

QTextStream out(stdout);

// Wall-clock and CPU seconds (own and reaped children's) since construction.
class Stopwatch
{
public:
    Stopwatch()
    {
        m_wall.start();
        m_cpu = cpuNow();
    }
    double wall() const { return m_wall.nsecsElapsed() / 1e9; }
    double cpu() const { return cpuNow() - m_cpu; }

private:
    static double cpuNow()
    {
        timespec ts;
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        rusage children;
        ::getrusage(RUSAGE_CHILDREN, &children);
        return ts.tv_sec + ts.tv_nsec / 1e9 + children.ru_utime.tv_sec + children.ru_utime.tv_usec / 1e6 +
               children.ru_stime.tv_sec + children.ru_stime.tv_usec / 1e6;
    }
    QElapsedTimer m_wall;
    double m_cpu;
};

struct Figure
{
    QString name;
    double wall = 0;
    double cpu = 0;
    qint64 bytes = 0;
    qint64 files = 0;
    bool measured = false;

    double mbPerSecond() const { return bytes / 1e6 / wall; }
    double mbPerCpuSecond() const { return bytes / 1e6 / cpu; }
    double filesPerSecond() const { return files / wall; }
};

// Runs job rounds times; keeps the best wall and the best CPU time. False when the job fails.
bool bestOf(int rounds, Figure &f, const std::function<bool()> &job)
{
    f.wall = f.cpu = 1e300;
    for (int i = 0; i < rounds; ++i) {
        Stopwatch s;
        if (!job())
            return false;
        f.wall = std::min(f.wall, s.wall());
        f.cpu = std::min(f.cpu, s.cpu());
    }
    f.measured = true;
    return true;
}

bool runTool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(program, args);
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit;
}

QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readLine()).section(QLatin1Char(' '), 0, 2)
                                       : QStringLiteral("?");
}

void printRow(const Figure &f, const Figure &cat)
{
    if (!f.measured) {
        out << QStringLiteral("%1  not measured (tool missing or failed)\n").arg(f.name, -36);
        return;
    }
    out << QStringLiteral("%1 %2 %3 %4 %5 %6  %7 files\n")
               .arg(f.name, -36)
               .arg(f.mbPerSecond(), 9, 'f', 1)
               .arg(f.filesPerSecond(), 9, 'f', 1)
               .arg(f.mbPerSecond() / cat.mbPerSecond(), 7, 'f', 2)
               .arg(f.mbPerCpuSecond(), 10, 'f', 1)
               .arg(f.mbPerCpuSecond() / cat.mbPerCpuSecond(), 7, 'f', 2)
               .arg(f.files);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: bench_mp3 FOLDER\n";
        return 2;
    }
    QStringList files;
    std::vector<qint64> sizes;
    qint64 total = 0;
    for (const QFileInfo &fi :
         QDir(args[1]).entryInfoList({QStringLiteral("*.mp3")}, QDir::Files, QDir::Name)) {
        files.append(fi.absoluteFilePath());
        sizes.push_back(fi.size());
        total += fi.size();
    }
    if (files.isEmpty()) {
        QTextStream(stderr) << "no *.mp3 files in " << args[1] << "\n";
        return 1;
    }
    const qint64 n = files.size();
    out << QStringLiteral("corpus: %1 files, %2 MB; load average %3\n")
               .arg(n)
               .arg(total / 1e6, 0, 'f', 1)
               .arg(loadAverage());

    // Warm the page cache and check the buffered walk against the reference on every file.
    qint64 mismatches = 0;
    for (const QString &path : files) {
        CKivPosixFile file;
        if (!file.open(path, CKivPosixFile::Mode::Read))
            return 1;
        QByteArray data(file.size(), Qt::Uninitialized);
        file.readAt(0, data.data(), data.size());
        CKivMemorySource source(data.constData(), data.size());
        if (!(KivMpeg::walkFrames(source) == slowWalkFrames(source)))
            ++mismatches;
    }
    out << QStringLiteral("buffered walk differs from the reference on %1 files\n").arg(mismatches);

    Figure walk{QStringLiteral("full walk (Analyze, in process)"), 0, 0, total, n};
    qint64 frames = 0;
    bestOf(5, walk, [&] {
        frames = 0;
        CMpegAudioInfo info;
        for (const QString &path : files) {
            if (!info.Analyze(path))
                return false;
            frames += info.GetFrameCount();
        }
        return true;
    });

    Figure cat{QStringLiteral("cat FILES > /dev/null"), 0, 0, total, n};
    bestOf(5, cat, [&] { return runTool(QStringLiteral("cat"), files); });

    Figure mp3val{QStringLiteral("mp3val FILES"), 0, 0, total, n};
    const QString mp3valPath = QStandardPaths::findExecutable(QStringLiteral("mp3val"));
    if (!mp3valPath.isEmpty())
        bestOf(2, mp3val, [&] { return runTool(mp3valPath, files); });

    // ffprobe takes one file per run and decodes it: as many files as fit in twenty seconds.
    Figure ffprobe{QStringLiteral("ffprobe -count_frames (one per file)")};
    const QString ffprobePath = QStandardPaths::findExecutable(QStringLiteral("ffprobe"));
    if (!ffprobePath.isEmpty()) {
        const QStringList options{QStringLiteral("-v"),
                                  QStringLiteral("error"),
                                  QStringLiteral("-select_streams"),
                                  QStringLiteral("a:0"),
                                  QStringLiteral("-count_frames"),
                                  QStringLiteral("-show_entries"),
                                  QStringLiteral("stream=nb_read_frames"),
                                  QStringLiteral("-of"),
                                  QStringLiteral("csv=p=0")};
        Stopwatch s;
        bool ok = true;
        for (qsizetype i = 0; ok && i < files.size() && (ffprobe.files < 3 || s.wall() < 20); ++i) {
            ok = runTool(ffprobePath, options + QStringList{files[i]});
            ffprobe.bytes += sizes[size_t(i)];
            ++ffprobe.files;
        }
        ffprobe.wall = s.wall();
        ffprobe.cpu = s.cpu();
        ffprobe.measured = ok;
    }

    // The reference walk: one small read per frame, on as many files as fit in ten seconds.
    Figure slow{QStringLiteral("one read per frame (reference walk)")};
    {
        Stopwatch s;
        for (qsizetype i = 0; i < files.size() && (slow.files < 2 || s.wall() < 10); ++i) {
            CKivPosixFile file;
            if (!file.open(files[i], CKivPosixFile::Mode::Read))
                return 1;
            slowWalkFrames(file);
            slow.bytes += sizes[size_t(i)];
            ++slow.files;
        }
        slow.wall = s.wall();
        slow.cpu = s.cpu();
        slow.measured = true;
    }

    // Quick tag reads: every file over and over for at least two seconds; best of three.
    double tagsPerSecond = 0;
    double tagsPerCpuSecond = 0;
    for (int round = 0; round < 3; ++round) {
        qint64 reads = 0;
        Stopwatch s;
        CMpegAudioInfo info;
        while (reads < 100000 || s.wall() < 2) {
            for (const QString &path : files) {
                if (!info.ReadTag(path))
                    return 1;
                ++reads;
            }
        }
        tagsPerSecond = std::max(tagsPerSecond, reads / s.wall());
        tagsPerCpuSecond = std::max(tagsPerCpuSecond, reads / s.cpu());
    }

    out << QStringLiteral("frames counted per walk: %1\n\n").arg(frames);
    out << QStringLiteral("%1 %2 %3 %4 %5 %6\n")
               .arg(QString(), -36)
               .arg(QStringLiteral("MB/s"), 9)
               .arg(QStringLiteral("files/s"), 9)
               .arg(QStringLiteral("x cat"), 7)
               .arg(QStringLiteral("MB/CPU-s"), 10)
               .arg(QStringLiteral("x cat"), 7);
    for (const Figure &f : {walk, cat, mp3val, ffprobe, slow})
        printRow(f, cat);
    out << QStringLiteral(
               "\nReadTag (open, size, read 128 bytes, close): %1 files/s, %2 files per CPU second\n")
               .arg(tagsPerSecond, 0, 'f', 0)
               .arg(tagsPerCpuSecond, 0, 'f', 0);

    const auto verdict = [](double value, double target) {
        return value >= target ? QStringLiteral("met") : QStringLiteral("MISSED");
    };
    const double vsCat = walk.mbPerSecond() / cat.mbPerSecond();
    out << QStringLiteral("\nfull walk / cat    = %1 (CPU %2)  target >= 1.30: %3\n")
               .arg(vsCat, 0, 'f', 2)
               .arg(walk.mbPerCpuSecond() / cat.mbPerCpuSecond(), 0, 'f', 2)
               .arg(verdict(vsCat, 1.3));
    if (mp3val.measured) {
        const double vsMp3val = walk.mbPerSecond() / mp3val.mbPerSecond();
        out << QStringLiteral("full walk / mp3val = %1 (CPU %2)  target >= 5.00: %3\n")
                   .arg(vsMp3val, 0, 'f', 2)
                   .arg(walk.mbPerCpuSecond() / mp3val.mbPerCpuSecond(), 0, 'f', 2)
                   .arg(verdict(vsMp3val, 5));
    }
    out << QStringLiteral("ReadTag            = %1 files/s (per CPU second %2)  target >= 80000: %3\n")
               .arg(tagsPerSecond, 0, 'f', 0)
               .arg(tagsPerCpuSecond, 0, 'f', 0)
               .arg(verdict(tagsPerSecond, 80000));
    out << QStringLiteral("load average at the end: %1\n").arg(loadAverage());
    return mismatches == 0 ? 0 : 1;
}
