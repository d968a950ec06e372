#pragma once

#include "playback/PlaySource.h"

#include <QPointer>

class CKivMp3ListView;

// An MP3 list view seen by the player: its rows in the order the list shows them, and the play
// mark drawn in the list's "T" column. The mark follows its item when the rows are sorted.
class CKivListPlaySource : public IKivPlaySource
{
public:
    CKivListPlaySource(CKivMp3ListView &view, int kind, const QString &displayName);
    ~CKivListPlaySource() override;

    CKivMp3ListView *View() const;
    void SetDisplayName(const QString &name) { m_name = name; }

    int SourceKind() const override { return m_kind; }
    QString DisplayName() const override { return m_name; }
    int RowCount() const override;
    CKivMp3::Ptr ItemAt(int row) const override;
    int MarkedRow() const override;
    void SetMarkedRow(int row) override;
    CKivPlayer *GetPlayer() const override { return m_player; }
    void SetPlayer(CKivPlayer *player) override;
    void EnsureMarkedVisible() override;
    int RowOf(const CKivMp3 *item) const override;

private:
    QPointer<CKivMp3ListView> m_view;
    int m_kind;
    QString m_name;
    CKivPlayer *m_player = nullptr;
    // The marked row and its item: the row is checked against the item, which the list may have moved.
    mutable int m_markRow = -1;
    const CKivMp3 *m_markItem = nullptr;
};
