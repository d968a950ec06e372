#include "catalog/RsMp3s.h"
#include "mp3/MpegAudioInfo.h"
#include "support/MediaWorkspace.h"
#include "support/SyntheticMp3.h"
#include "tools/BatchUndo.h"
#include "tools/ui/RenameDlg.h"
#include "tools/ui/TagEditorDlg.h"
#include "tools/ui/TagFromNameDlg.h"
#include "support/AccessibleNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

// The two tag editors and the renaming dialog on the offscreen platform: what is enabled when they
// open and while the user works, their previews, and what "OK" writes.
class ToolDialogTest : public QObject
{
    Q_OBJECT

    MediaWorkspace m_w;
    QString m_root;
    std::unique_ptr<CKivMedium> m_medium;
    std::vector<CKivMp3::Ptr> m_items;
    int m_released = 0;

    CKivMp3::Ptr song(const QString &subPath, const QString &name, const QByteArray &title)
    {
        const QString path = QString(m_root + subPath).replace(u'\\', u'/') + name;
        if (!SyntheticMp3::writeSong(path, title, "Artist"))
            return nullptr;
        CKivMp3::Ptr item = CKivMp3::FromFile(m_medium.get(), subPath, name, false);
        return item->Save(m_w.db()) ? item : nullptr;
    }

    std::function<void()> release()
    {
        return [this] { ++m_released; };
    }

    template <typename T>
    static T *child(const QObject *parent, const char *name)
    {
        T *found = parent->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no child %s", name);
        return found;
    }

    // With MELVORA_SCREENSHOT_DIR set, the dialog as shown is saved there (for looking at it on a
    // real display).
    static void screenshot(QWidget &dialog, const char *name)
    {
        const QString dir = qEnvironmentVariable("MELVORA_SCREENSHOT_DIR");
        if (dir.isEmpty())
            return;
        dialog.show();
        QTest::qWait(300);
        dialog.grab().save(dir + u'/' + QLatin1String(name) + QStringLiteral(".png"));
    }

    QString rowArtist(const CKivMp3::Ptr &item)
    {
        CRsMp3s rs(m_w.db());
        return rs.OpenById(item->GetID()) ? rs.m_Artist : QString();
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_w.recreate());
        m_root = m_w.folder(QStringLiteral("toolsui"));
        m_medium = m_w.medium(QStringLiteral("Musik"), m_root);
        QVERIFY(m_medium);
        m_items.clear();
        for (const char *name : {"Queen - Innuendo.mp3", "Abba - Waterloo.mp3", "Solo.mp3"}) {
            m_items.push_back(song(QStringLiteral("Pop\\Hits\\"), QLatin1String(name), "Old"));
            QVERIFY(m_items.back());
        }
        m_released = 0;
        CKivBatchUndo::Last().Clear();
    }

    void cleanup()
    {
        m_items.clear();
        m_medium.reset();
    }

    void tagEditorOpening()
    {
        CKivTagEditorDlg one({m_items[0]}, m_w.db(), release());
        QVERIFY(child<QCheckBox>(&one, "albumCheck")->isChecked());
        QVERIFY(child<QComboBox>(&one, "artist")->isEnabled());
        QCOMPARE(child<QComboBox>(&one, "artist")->currentText(), QStringLiteral("Artist"));
        QCOMPARE(child<QComboBox>(&one, "genre")->currentText(), QStringLiteral("Rock"));
        QCOMPARE(child<QLineEdit>(&one, "track")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(&one, "folder")->text(), QStringLiteral("Hits"));
        QVERIFY(child<QPushButton>(&one, "sameAsFolder")->isEnabled());

        CKivTagEditorDlg several(m_items, m_w.db(), release());
        screenshot(several, "tageditor");
        QVERIFY2(KivAccessibleNames::unnamed(&several).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&several).join(QLatin1Char(' '))));
        QCOMPARE(child<QLineEdit>(&several, "count")->text(), QStringLiteral("3"));
        QVERIFY(!child<QCheckBox>(&several, "titleCheck")->isChecked());
        QVERIFY(!child<QComboBox>(&several, "title")->isEnabled());
        QCOMPARE(child<QComboBox>(&several, "filenames")->count(), 3);
        QVERIFY(child<QComboBox>(&several, "artist")->currentText().isEmpty());
        child<QCheckBox>(&several, "titleCheck")->setChecked(true);
        QVERIFY(child<QComboBox>(&several, "title")->isEnabled());

        CKivTagEditorDlg none({}, m_w.db(), release());
        QVERIFY(!child<QPushButton>(&none, "ok")->isEnabled());
        QVERIFY(!child<QPushButton>(&none, "sameAsFolder")->isEnabled());
        QVERIFY(!child<QCheckBox>(&none, "albumCheck")->isEnabled());
        QVERIFY(!child<QComboBox>(&none, "subPaths")->isEnabled());
    }

    void tagEditorWritesTheFolderAsAlbum()
    {
        CKivTagEditorDlg dlg(m_items, m_w.db(), release());
        QTest::mouseClick(child<QPushButton>(&dlg, "sameAsFolder"), Qt::LeftButton);
        QVERIFY(child<QCheckBox>(&dlg, "albumCheck")->isChecked());
        QCOMPARE(child<QComboBox>(&dlg, "album")->currentText(), QStringLiteral("Hits"));
        QTest::mouseClick(child<QPushButton>(&dlg, "ok"), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(m_released, 1);
        for (const CKivMp3::Ptr &item : m_items) {
            CMpegAudioInfo info;
            QVERIFY(info.ReadTag(item->FullPath()));
            QCOMPARE(info.GetAlbum(), QStringLiteral("Hits"));
            QCOMPARE(info.GetTitle(), QStringLiteral("Old"));
        }
        QCOMPARE(CKivBatchUndo::Last().Count(), 3);
    }

    void tagFromNamePreviewAndOk()
    {
        CKivTagFromNameDlg dlg(m_items, m_w.db(), m_w.catalog.settings(), release());
        QVERIFY2(KivAccessibleNames::unnamed(&dlg).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dlg).join(QLatin1Char(' '))));
        QTreeWidget *preview = dlg.previewList();
        QCOMPARE(preview->topLevelItemCount(), 3);
        QCOMPARE(preview->topLevelItem(0)->text(2), QStringLiteral("Queen"));
        QCOMPARE(preview->topLevelItem(0)->text(3), QStringLiteral("Innuendo"));
        QCOMPARE(preview->topLevelItem(2)->data(0, Qt::UserRole).toBool(), false);
        QVERIFY(child<QCheckBox>(&dlg, "artistFromFolder")->isEnabled());
        QVERIFY(child<QLabel>(&dlg, "patternText")->text().isEmpty());
        QTest::mouseClick(child<QPushButton>(&dlg, "update"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(&dlg, "patternText")->text(), QStringLiteral("Artist-Title"));
        screenshot(dlg, "tagfromname");

        // Album from the folder fills the preview at once.
        QTest::mouseClick(child<QCheckBox>(&dlg, "albumFromFolder"), Qt::LeftButton);
        QCOMPARE(preview->topLevelItem(1)->text(1), QStringLiteral("Hits"));

        child<QCheckBox>(&dlg, "storeAsDefault")->setChecked(true);
        child<QComboBox>(&dlg, "separator2")->setEditText(QStringLiteral(" - "));
        QCOMPARE(preview->topLevelItem(0)->text(3), QStringLiteral("- Innuendo"));
        child<QComboBox>(&dlg, "separator2")->setEditText(QStringLiteral("-"));
        child<QComboBox>(&dlg, "field5")->setCurrentText(QStringLiteral("Comment"));
        QTest::mouseClick(child<QPushButton>(&dlg, "ok"), Qt::LeftButton);
        QCOMPARE(rowArtist(m_items[0]), QStringLiteral("Queen"));
        QCOMPARE(m_items[1]->GetTitle(), QStringLiteral("Waterloo"));
        QCOMPARE(m_items[1]->GetAlbum(), QStringLiteral("Hits"));
        QCOMPARE(m_items[2]->GetArtist(), QStringLiteral("Artist"));
        QCOMPARE(m_w.catalog.settings().GetTagFilenameField(5), QStringLiteral("Comment"));
    }

    void renameEnablingAndOperations()
    {
        CKivRenameDlg dlg(m_items, m_w.db(), release());
        QVERIFY2(KivAccessibleNames::unnamed(&dlg).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dlg).join(QLatin1Char(' '))));
        auto *oldText = child<QLineEdit>(&dlg, "oldText");
        auto *newText = child<QLineEdit>(&dlg, "newText");
        auto *chars = child<QCheckBox>(&dlg, "characters");
        auto *replace = child<QPushButton>(&dlg, "replacePreview");
        QVERIFY(!newText->isEnabled() && !chars->isEnabled() && !replace->isEnabled());
        QVERIFY(!child<QPushButton>(&dlg, "specialPreview")->isEnabled());
        oldText->setText(QStringLiteral(" "));
        QVERIFY(newText->isEnabled() && chars->isChecked() && child<QCheckBox>(&dlg, "runs")->isEnabled());
        oldText->setText(QStringLiteral(" - "));
        QVERIFY(newText->isEnabled() && !chars->isChecked() && !chars->isEnabled() && replace->isEnabled());
        newText->setText(QStringLiteral("_"));
        QTest::mouseClick(replace, Qt::LeftButton);
        QCOMPARE(dlg.previews().front(), QStringLiteral("Queen_Innuendo.mp3"));

        QTest::mouseClick(child<QRadioButton>(&dlg, "mode1"), Qt::LeftButton);
        QVERIFY(child<QPushButton>(&dlg, "specialPreview")->isEnabled());
        QTest::mouseClick(child<QPushButton>(&dlg, "specialPreview"), Qt::LeftButton);
        QCOMPARE(dlg.previews().at(2), QStringLiteral("SOLO.MP3"));

        // Names from tags: every file is "Artist - Old", so the rows clash and are marked.
        child<QComboBox>(&dlg, "tagField1")->setCurrentText(QStringLiteral("Artist"));
        child<QComboBox>(&dlg, "tagSeparator1")->setEditText(QStringLiteral(" - "));
        child<QComboBox>(&dlg, "tagField2")->setCurrentText(QStringLiteral("Title"));
        QCOMPARE(child<QLabel>(&dlg, "patternText")->text(), QStringLiteral("Artist - Title"));
        QTest::mouseClick(child<QPushButton>(&dlg, "tagPreview"), Qt::LeftButton);
        QCOMPARE(dlg.previews(), QStringList(3, QStringLiteral("Artist - Old")));
        QVERIFY(dlg.previewList()->topLevelItem(1)->data(1, Qt::UserRole).toBool());
        screenshot(dlg, "rename");

        QTest::mouseClick(child<QPushButton>(&dlg, "ok"), Qt::LeftButton);
        QCOMPARE(m_items[0]->GetFilename(), QStringLiteral("Artist - Old.mp3"));
        QCOMPARE(m_items[1]->GetFilename(), QStringLiteral("Artist - Old (2).mp3"));
        QCOMPARE(m_items[2]->GetFilename(), QStringLiteral("Artist - Old (3).mp3"));
        QVERIFY(QFile::exists(m_items[2]->FullPath()));
        QCOMPARE(CKivBatchUndo::Last().GetKind(), CKivBatchUndo::Kind::Names);
    }

    void cancelRenamesNothing()
    {
        CKivRenameDlg dlg(m_items, m_w.db(), release());
        QTest::mouseClick(child<QRadioButton>(&dlg, "mode5"), Qt::LeftButton);
        child<QSpinBox>(&dlg, "insertAt")->setValue(2);
        QTest::mouseClick(child<QPushButton>(&dlg, "specialPreview"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&dlg, "specialPreview"), Qt::LeftButton);
        QCOMPARE(dlg.previews().at(2), QStringLiteral("So  lo.mp3"));
        QTest::mouseClick(child<QPushButton>(&dlg, "cancel"), Qt::LeftButton);
        QCOMPARE(m_items[2]->GetFilename(), QStringLiteral("Solo.mp3"));
        QCOMPARE(m_released, 0);
    }
};

int runToolDialogTest(int argc, char **argv)
{
    ToolDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ToolDialogTest.moc"
