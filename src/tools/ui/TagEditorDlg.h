#pragma once

#include "mp3/item/Mp3Item.h"
#include "tools/TagBatch.h"

#include <QDialog>

#include <functional>
#include <vector>

class CKivDatabase;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

// "Kiv Tag Editor" (the first tag editor): the ID3v1 fields of the selected files. One file shows and
// writes all fields; for several files a field is written only when its box is ticked, so that one
// album name can go to a whole folder while every title stays. "= Ordner" takes the common folder's
// name as the album. "OK" writes through the items (file, then catalog row) and can be taken back.
class CKivTagEditorDlg : public QDialog
{
    Q_OBJECT

public:
    CKivTagEditorDlg(std::vector<CKivMp3::Ptr> items, CKivDatabase &db, std::function<void()> releaseFile,
                     QWidget *parent = nullptr);

    // The fields as ticked now, as "OK" would write them.
    KivTagEdits edits() const;

    void accept() override;

private:
    struct Field
    {
        QCheckBox *check;
        QWidget *editor;
    };

    Field addField(const char *name, QWidget *editor);
    void fillFromSelection();
    void takeFolderName();
    static QString textOf(const QWidget *editor);

    std::vector<CKivMp3::Ptr> m_items;
    CKivDatabase &m_db;
    std::function<void()> m_releaseFile;

    QComboBox *m_subPaths;
    QComboBox *m_filenames;
    QLineEdit *m_count;
    QLineEdit *m_folder;
    QPushButton *m_sameAsFolder;
    QPushButton *m_ok = nullptr;
    Field m_artist{};
    Field m_title{};
    Field m_album{};
    Field m_track{};
    Field m_genre{};
    Field m_comment{};
    Field m_year{};
};
