#pragma once

#include "mp3/item/Mp3Item.h"
#include "tools/FilenamePattern.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class CKivDatabase;
class CKivSettings;
class QCheckBox;
class QComboBox;
class QLabel;
class QTreeWidget;

// "Kiv Tageditor Filename" (the second tag editor): reads artist, title and the other fields from the
// file names by a pattern of five separator/field pairs, shows for every file what it yields and
// whether the name matched, and on "OK" writes the matched files' fields (file, then catalog row).
class CKivTagFromNameDlg : public QDialog
{
    Q_OBJECT

public:
    CKivTagFromNameDlg(std::vector<CKivMp3::Ptr> items, CKivDatabase &db, CKivSettings &settings,
                       std::function<void()> releaseFile, QWidget *parent = nullptr);

    // The pattern as the boxes hold it now.
    KivFilenamePattern pattern() const;
    QTreeWidget *previewList() const { return m_preview; }

    void accept() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPatternText();
    void refreshPreview();

    std::vector<CKivMp3::Ptr> m_items;
    CKivDatabase &m_db;
    CKivSettings &m_settings;
    std::function<void()> m_releaseFile;
    QString m_folderName;

    std::array<QComboBox *, KivFilenamePattern::kPairs> m_separators{};
    std::array<QComboBox *, KivFilenamePattern::kPairs> m_fields{};
    QLabel *m_folder;
    QLabel *m_patternText;
    QCheckBox *m_albumFromFolder;
    QCheckBox *m_artistFromFolder;
    QCheckBox *m_storeAsDefault;
    QTreeWidget *m_preview;
};
