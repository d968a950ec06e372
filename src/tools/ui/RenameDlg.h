#pragma once

#include "mp3/item/Mp3Item.h"
#include "tools/RenameRules.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class CKivDatabase;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTreeWidget;

// "Kiv Dateien Umbenennen": new names for the selected files, built in a preview column by operations
// applied one after the other (replacing text, case changes, deleting or inserting characters,
// names from tag fields). Rows whose new name clashes with another row's or cannot be a file name
// are marked before anything happens. "Dateien umbenennen" renames every file to its preview, on
// disk and in the catalog, never overwriting a file.
class CKivRenameDlg : public QDialog
{
    Q_OBJECT

public:
    CKivRenameDlg(std::vector<CKivMp3::Ptr> items, CKivDatabase &db, std::function<void()> releaseFile,
                  QWidget *parent = nullptr);

    // The preview names, top to bottom.
    QStringList previews() const;
    QTreeWidget *previewList() const { return m_list; }
    KivRenameRules::TagPattern tagPattern() const;

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildReplaceGroup();
    QWidget *buildSpecialGroup();
    QWidget *buildTagGroup();
    void fillList();
    void oldTextEdited(const QString &text);
    void applyReplace();
    void applySpecial();
    void applyTags();
    void applyToPreviews(const std::function<QString(const CKivMp3 &, const QString &)> &op);
    void markRows();
    void showPatternText();

    std::vector<CKivMp3::Ptr> m_items;
    CKivDatabase &m_db;
    std::function<void()> m_releaseFile;

    QTreeWidget *m_list = nullptr;
    QLineEdit *m_oldText = nullptr;
    QLineEdit *m_newText = nullptr;
    QCheckBox *m_characters = nullptr;
    QCheckBox *m_runs = nullptr;
    QPushButton *m_replacePreview = nullptr;
    QButtonGroup *m_modes = nullptr;
    QSpinBox *m_insertAt = nullptr;
    QSpinBox *m_deleteCount = nullptr;
    QPushButton *m_specialPreview = nullptr;
    std::array<QComboBox *, 5> m_tagFields{};
    std::array<QComboBox *, 4> m_tagSeparators{};
    QLabel *m_patternText = nullptr;
};
