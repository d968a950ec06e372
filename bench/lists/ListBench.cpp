// Fills the document's MP3 list with synthetic items and measures what the list views do with
// them: the refill on hint 101 with the first paint of the view, sorting by title both ways, the
// category grouping, and the resident memory.
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/list/Mp3CategoryModel.h"
#include "browse/list/Mp3Column.h"
#include "browse/list/Mp3ListModel.h"
#include "browse/ui/lists/Mp3ListeFormView.h"
#include "browse/ui/lists/Mp3TableView.h"
#include "catalog/Database.h"
#include "controls/ui/CommandRegistry.h"
#include "media/Medium.h"
#include "mp3/item/Mp3ArchiveRecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

// Resident memory of the process in kB (VmRSS), -1 when unknown.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

CKivMp3::Ptr synthetic(CKivMedium *medium, int i)
{
    static const char *const artists[] = {"Abba", "Björk", "Zappa", "Mozart", "Nirvana", "Queen", "Ärzte", "Beck"};
    CKivMp3Data d;
    d.m_Mediumname = medium->GetName();
    d.m_SubPath = QStringLiteral("Folder %1\\").arg(i / 200);
    d.m_Filename = QStringLiteral("Track %1.mp3").arg(i);
    d.m_Title = QStringLiteral("Title %1").arg((i * 7919) % 100003);
    d.m_Artist = QString::fromUtf8(artists[i % 8]);
    d.m_Album = QStringLiteral("Album %1").arg(i / 12);
    d.m_Year = QString::number(1960 + i % 60);
    d.m_Genre = i % 148;
    d.m_TrackNr = i % 20 + 1;
    d.m_Length = 120 + i % 300;
    d.m_FileSize = 3000000 + i;
    d.m_SampleRate = 44100;
    d.m_BitRate = 128;
    d.m_MpegLayer = 3;
    d.m_Frames = 5000;
    return CKivMp3::FromArchiveRecord(medium, KivMp3ArchiveRecord::Fill(d));
}

double ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    QTemporaryDir dir;
    CKivProfileStore store(dir.filePath(QStringLiteral("profile.ini")));
    CKivSettings settings(store);
    CKivDatabase db(settings);
    CKivFilter filter;
    CMelvoraDoc doc(settings, db, filter);
    doc.OnNewDocument();
    std::unique_ptr<CKivMedium> medium = CKivMedium::NewDisk(1);
    medium->SetName(QStringLiteral("Bench"));

    const long rssBefore = residentKb();
    QElapsedTimer timer;
    timer.start();
    CKivMp3Liste &list = *doc.GetMp3Liste();
    list.Reset();
    for (int i = 0; i < count; ++i)
        list.Append(synthetic(medium.get(), i));
    const double fillMs = ms(timer);
    const long rssItems = residentKb();

    CKivCommandRegistry commands;
    CKivMp3ListeFormView view(doc, settings, commands);
    view.resize(1600, 900);
    view.show();
    QImage frame(view.size(), QImage::Format_ARGB32);
    view.render(&frame);  // a first paint of the empty view

    timer.restart();
    list.AnnounceReplaced();  // hint 101: the views refill
    const double refillMs = ms(timer);
    timer.restart();
    view.render(&frame);
    const double paintMs = ms(timer);
    const long rssView = residentKb();

    CKivMp3ListModel &model = view.model();
    const int title = model.columnOf(KivMp3Column::Field::Title);
    timer.restart();
    model.sortByHeader(title);
    const double sortAscMs = ms(timer);
    timer.restart();
    model.sortByHeader(title);
    const double sortDescMs = ms(timer);
    timer.restart();
    model.sort(model.columnOf(KivMp3Column::Field::Id), Qt::AscendingOrder);
    const double sortIdMs = ms(timer);
    timer.restart();
    view.render(&frame);
    const double paintSortedMs = ms(timer);

    timer.restart();
    view.onCommand(CKivMp3ListView::CmdSelectAll);
    const double selectAllMs = ms(timer);

    timer.restart();
    {
        CKivMp3CategoryModel category(model);
        category.setGroupColumn(model.columnOf(KivMp3Column::Field::Artist));
    }
    const double categoryMs = ms(timer);

    QTextStream out(stdout);
    out << "items:                       " << model.rowCount() << "\n";
    out << "building the items:          " << fillMs << " ms\n";
    out << "refill on hint 101:          " << refillMs << " ms\n";
    out << "first paint after refill:    " << paintMs << " ms\n";
    out << "sort by title ascending:     " << sortAscMs << " ms\n";
    out << "sort by title descending:    " << sortDescMs << " ms\n";
    out << "sort by Id:                  " << sortIdMs << " ms\n";
    out << "paint after sorting:         " << paintSortedMs << " ms\n";
    out << "select all + status panes:   " << selectAllMs << " ms\n";
    out << "category view by artist:     " << categoryMs << " ms\n";
    out << "VmRSS before items:          " << rssBefore << " kB\n";
    out << "VmRSS with items:            " << rssItems << " kB\n";
    out << "VmRSS with items and view:   " << rssView << " kB\n";
    out << "view overhead per item:      " << double(rssView - rssItems) * 1024.0 / qMax(1, count) << " bytes\n";
    return 0;
}
