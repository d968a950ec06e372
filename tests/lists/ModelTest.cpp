#include "browse/list/Mp3CategoryModel.h"
#include "browse/list/Mp3CellText.h"
#include "browse/list/Mp3ListModel.h"
#include "browse/list/Mp3SelectionSums.h"
#include "lists/ListFixture.h"
#include "lists/ListTests.h"
#include "mp3/item/Mp3ArchiveRecord.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using KivMp3Column::Field;

// The list model over the document's list: what each column shows for items in every state, the
// pictures, sorting in both directions, the category grouping, the status sums and in-place edits.
class ModelTest : public QObject
{
    Q_OBJECT

    ListFixture f;
    std::unique_ptr<CKivMp3ListModel> model;

    QString cell(const QString &filename, Field field) const
    {
        const int row = model->rowOf(f.byName(filename).get());
        return model->index(row, model->columnOf(field)).data().toString();
    }

    int image(const QString &filename, Field field) const
    {
        const int row = model->rowOf(f.byName(filename).get());
        return model->index(row, model->columnOf(field)).data(CKivMp3ListModel::ImageKeyRole).toInt();
    }

    bool edit(const QString &filename, Field field, const QString &text)
    {
        const int row = model->rowOf(f.byName(filename).get());
        return model->setData(model->index(row, model->columnOf(field)), text);
    }

    QStringList column(Field field) const
    {
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, model->columnOf(field)).data().toString();
        return texts;
    }

    // The title slot of the file's ID3v1 block.
    static QByteArray fileTitle(const QString &path)
    {
        const QByteArray data = SyntheticMp3::read(path);
        return data.right(128).mid(3, 30).replace('\0', "");
    }

    static CKivMp3::Ptr archived(CKivMedium *medium, int length, int size)
    {
        CKivMp3Data d;
        d.m_Filename = QStringLiteral("x.mp3");
        d.m_Length = length;
        d.m_FileSize = size;
        return CKivMp3::FromArchiveRecord(medium, KivMp3ArchiveRecord::Fill(d));
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(f.setUp());
        model = std::make_unique<CKivMp3ListModel>(CKivMp3ListModel::Layout::Standard);
        new QAbstractItemModelTester(model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest, model.get());
        model->setList(&f.list());
        QCOMPARE(model->rowCount(), 3);
    }

    void cleanup()
    {
        model.reset();
        f.doc.reset();
    }

    void columnsOfBothLists()
    {
        QCOMPARE(model->columnCount(), 29);
        QCOMPARE(model->headerData(22, Qt::Horizontal).toString(), QStringLiteral("Chanel Mode"));
        QCOMPARE(model->headerData(3, Qt::Horizontal, Qt::ToolTipRole).toString(), QStringLiteral("Bewertung"));
        CKivMp3ListModel tv(CKivMp3ListModel::Layout::Tv);
        QCOMPARE(tv.columnCount(), 15);
        QCOMPARE(tv.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Typ"));
        QCOMPARE(tv.headerData(14, Qt::Horizontal).toString(), QStringLiteral("Comment"));
        QCOMPARE(KivMp3Column::tv()[13].width, 300);
    }

    void textsOfAnAnalysedSong()
    {
        const CKivMp3::Ptr b = f.byName(QStringLiteral("b.mp3"));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Id), QString::number(b->GetID()));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Title),
                 QStringLiteral("Beta"));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Genre), QStringLiteral("Rock"));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::SampleRate), QStringLiteral("44100"));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Copyright), QStringLiteral("Nein"));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Mediumname), QStringLiteral("Musik"));
        QCOMPARE(cell(QStringLiteral("a.mp3"), Field::Path), f.musik()->GetPath() + QStringLiteral("Rock\\"));
        // No track: an empty cell, not "0".
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Track), QString());
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Anlegedatum),
                 QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Size), b->SizeText());
        // Picture columns carry keys, no text.
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Type), QString());
        QCOMPARE(image(QStringLiteral("b.mp3"), Field::Type), 0);
        QCOMPARE(image(QStringLiteral("b.mp3"), Field::Status), 3);
        QCOMPARE(image(QStringLiteral("b.mp3"), Field::Rating), 6);
        QVERIFY(!model->index(0, model->columnOf(Field::Title)).data(CKivMp3ListModel::ImageKeyRole).isValid());

        model->setPlaying(b.get(), true);
        QCOMPARE(image(QStringLiteral("b.mp3"), Field::Type), 16);
        model->setPlaying(b.get(), false);
        QCOMPARE(image(QStringLiteral("b.mp3"), Field::Type), 0);
    }

    void quickImportedSongShowsEmptyTechnicalCells()
    {
        QVERIFY(f.addSong(QString(), QStringLiteral("q.mp3"), "Quick", "Q", true));
        QVERIFY(f.reload());
        model->refill();
        for (Field field : {Field::SampleRate, Field::BitRate, Field::Length, Field::Version, Field::Emphasis,
                            Field::ChannelMode, Field::Frames, Field::Copyright, Field::Crc, Field::Layer})
            QCOMPARE(cell(QStringLiteral("q.mp3"), field), QString());
        QCOMPARE(cell(QStringLiteral("q.mp3"), Field::Title), QStringLiteral("Quick"));
    }

    void offlineMediumAndPendingImports()
    {
        const CKivMp3::Ptr c = f.byName(QStringLiteral("c.mp3"));
        QVERIFY(c->RegisterAtDestination(f.musik(), QStringLiteral("Neu\\"), QStringLiteral("c.mp3"), true, f.db()));
        QCOMPARE(image(QStringLiteral("c.mp3"), Field::Type), 13);  // source online: can be imported now

        f.setOnline(false);
        QCOMPARE(image(QStringLiteral("b.mp3"), Field::Status), 2);
        QCOMPARE(image(QStringLiteral("b.mp3"), Field::Type), 11);
        QCOMPARE(image(QStringLiteral("c.mp3"), Field::Type), 12);  // source not reachable
    }

    void sortsBothWaysWithoutTouchingTheList()
    {
        const int title = model->columnOf(Field::Title);
        QPersistentModelIndex beta = model->index(model->rowOf(f.byName(QStringLiteral("b.mp3")).get()), title);
        model->sortByHeader(title);
        QCOMPARE(model->sortOrder(), Qt::AscendingOrder);
        // Case does not decide the order.
        QCOMPARE(column(Field::Title), (QStringList{QStringLiteral("alpha"), QStringLiteral("Beta"),
                                                     QStringLiteral("Gamma")}));
        QCOMPARE(beta.row(), 1);
        model->sortByHeader(title);
        QCOMPARE(model->sortOrder(), Qt::DescendingOrder);
        QCOMPARE(column(Field::Title), (QStringList{QStringLiteral("Gamma"), QStringLiteral("Beta"),
                                                     QStringLiteral("alpha")}));
        QCOMPARE(beta.data().toString(), QStringLiteral("Beta"));
        // The document's list keeps its order.
        QCOMPARE(f.list().GetItems().front()->GetFilename(), QStringLiteral("b.mp3"));

        // Numbers sort as numbers; equal keys keep their order in both directions.
        model->sortByHeader(model->columnOf(Field::Id));
        QStringList ids = column(Field::Id);
        QVERIFY(ids[0].toInt() < ids[1].toInt() && ids[1].toInt() < ids[2].toInt());
        model->sort(model->columnOf(Field::Genre), Qt::DescendingOrder);
        QCOMPARE(column(Field::Id), ids);

        // A refill shows the list's order again.
        model->refill();
        QCOMPARE(model->sortColumn(), -1);
        QCOMPARE(model->item(0)->GetFilename(), QStringLiteral("b.mp3"));
    }

    void categoryViewGroupsRows()
    {
        QVERIFY(f.addSong(QString(), QStringLiteral("d.mp3"), "Delta", "Abba"));
        QVERIFY(f.reload());
        model->refill();
        CKivMp3CategoryModel category(*model);
        new QAbstractItemModelTester(&category, QAbstractItemModelTester::FailureReportingMode::QtTest, &category);
        category.setGroupColumn(model->columnOf(Field::Artist));
        QCOMPARE(category.groupCount(), 3);
        QCOMPARE(category.rowCount(), 7);
        const int label = model->columnOf(Field::Filename);
        QVERIFY(category.index(0, label).data(CKivMp3CategoryModel::HeadingRole).toBool());
        QCOMPARE(category.index(0, label).data().toString(), QStringLiteral("Artist Abba (2)"));
        QCOMPARE(category.sourceRow(0), -1);
        QCOMPARE(model->item(category.sourceRow(1))->GetArtist(), QStringLiteral("Abba"));
        QCOMPARE(category.rowOfSource(category.sourceRow(2)), 2);
        QVERIFY(!(category.flags(category.index(0, label)) & Qt::ItemIsSelectable));
        // Following the list model: a refill with fewer rows regroups.
        f.list().LoadMedium(QStringLiteral("Musik"), QStringLiteral("Rock\\"));
        model->refill();
        QCOMPARE(category.groupCount(), 1);
        QCOMPARE(category.rowCount(), 2);
    }

    void statusSumsOfASelection()
    {
        CKivMp3::Ptr a = archived(f.musik(), 59, 1500000);
        CKivMp3::Ptr b = archived(f.musik(), 62, 2250000);
        CKivMp3::Ptr quick = archived(f.musik(), -1, 1000);
        KivMp3SelectionSums sums = KivMp3SelectionSums::of({a.get(), b.get()}, 5);
        QCOMPARE(sums.count, QStringLiteral("2 / 5"));
        QCOMPARE(sums.time, QStringLiteral("00:02:01"));
        QCOMPARE(sums.size, QStringLiteral("3,75 MB"));
        sums = KivMp3SelectionSums::of({a.get(), quick.get()}, 2);
        QCOMPARE(sums.time, QStringLiteral("00:00:59"));
        QCOMPARE(KivMp3SelectionSums::of({}, 0).count, QStringLiteral("0 / 0"));
        QCOMPARE(KivMp3SelectionSums::timeText(360000 + 61), QStringLiteral("100:01:01"));
    }

    void editsOnlyWhileLabelEditIsOn()
    {
        const int title = model->columnOf(Field::Title);
        QVERIFY(!(model->flags(model->index(0, title)) & Qt::ItemIsEditable));
        QVERIFY(!edit(QStringLiteral("b.mp3"), Field::Title, QStringLiteral("Neu")));
        model->setLabelEdit(true);
        QVERIFY(model->flags(model->index(0, title)) & Qt::ItemIsEditable);
        QVERIFY(!(model->flags(model->index(0, model->columnOf(Field::Size))) & Qt::ItemIsEditable));
        QVERIFY(!(model->flags(model->index(0, model->columnOf(Field::Id))) & Qt::ItemIsEditable));
    }

    void tagEditsGoIntoTheFileAndTheRow()
    {
        model->setLabelEdit(true);
        const CKivMp3::Ptr b = f.byName(QStringLiteral("b.mp3"));
        QVERIFY(edit(QStringLiteral("b.mp3"), Field::Title, QStringLiteral("Neuer Titel")));
        QCOMPARE(fileTitle(b->FullPath()), QByteArray("Neuer Titel"));
        QCOMPARE(f.row(b->GetID())->m_Title, QStringLiteral("Neuer Titel"));
        QVERIFY(edit(QStringLiteral("b.mp3"), Field::Track, QStringLiteral("7")));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Track), QStringLiteral("7"));
        QVERIFY(edit(QStringLiteral("b.mp3"), Field::Genre, QStringLiteral("Jazz")));
        QCOMPARE(f.row(b->GetID())->m_GenreName, QStringLiteral("Jazz"));
        // A name outside the genre table is refused.
        QVERIFY(!edit(QStringLiteral("b.mp3"), Field::Genre, QStringLiteral("Krautrock")));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Genre), QStringLiteral("Jazz"));
    }

    void refusedEditsKeepTheOldText()
    {
        model->setLabelEdit(true);
        const CKivMp3::Ptr b = f.byName(QStringLiteral("b.mp3"));
        f.setOnline(false);
        QVERIFY(!edit(QStringLiteral("b.mp3"), Field::Artist, QStringLiteral("Niemand")));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Artist), QStringLiteral("Zappa"));
        f.setOnline(true);

        // A file that cannot be written (a folder stands in its place).
        const QString path = b->FullPath();
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
        QVERIFY(!edit(QStringLiteral("b.mp3"), Field::Album, QStringLiteral("Anders")));
        QCOMPARE(cell(QStringLiteral("b.mp3"), Field::Album), QStringLiteral("Album"));
        QCOMPARE(f.row(b->GetID())->m_Album, QStringLiteral("Album"));
        // Nor can a folder be renamed through the file-name column.
        QVERIFY(!edit(QStringLiteral("b.mp3"), Field::Filename, QStringLiteral("x")));
    }

    void fileNameEditRenamesTheFile()
    {
        model->setLabelEdit(true);
        const CKivMp3::Ptr b = f.byName(QStringLiteral("b.mp3"));
        const QString oldPath = b->FullPath();
        QSignalSpy renamed(model.get(), &CKivMp3ListModel::fileRenamed);
        QVERIFY(edit(QStringLiteral("b.mp3"), Field::Filename, QStringLiteral("Song")));
        QCOMPARE(b->GetFilename(), QStringLiteral("Song.mp3"));
        QVERIFY(QFile::exists(b->FullPath()));
        QVERIFY(!QFile::exists(oldPath));
        QCOMPARE(renamed.size(), 1);
        QCOMPARE(renamed.at(0).at(1).toString(), QStringLiteral("b.mp3"));
        QCOMPARE(renamed.at(0).at(2).toString(), QStringLiteral("Song.mp3"));
        QCOMPARE(f.row(b->GetID())->m_Filename, QStringLiteral("Song.mp3"));
    }
};

int runModelTest(int argc, char **argv)
{
    ModelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ModelTest.moc"
