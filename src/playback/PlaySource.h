#pragma once

#include "mp3/item/Mp3Item.h"

#include <QString>

class CKivPlayer;

// A list the player can walk through: an MP3 list (kind 0) or the playlist (kind 1). Rows are in
// the order the user sees them; at most one row carries the play mark, the list's current item.
class IKivPlaySource
{
public:
    virtual ~IKivPlaySource() = default;

    virtual int SourceKind() const = 0;
    virtual QString DisplayName() const = 0;
    virtual int RowCount() const = 0;
    // The item of a row, nullptr outside the rows.
    virtual CKivMp3::Ptr ItemAt(int row) const = 0;
    // The marked row, -1 for none.
    virtual int MarkedRow() const = 0;
    // Moves the play mark (-1 clears it); the list repaints both rows.
    virtual void SetMarkedRow(int row) = 0;
    // The player this list is attached to (the list repaints when it changes).
    virtual CKivPlayer *GetPlayer() const = 0;
    virtual void SetPlayer(CKivPlayer *player) = 0;
    // Scrolls the marked row into view.
    virtual void EnsureMarkedVisible() {}

    // The first row holding exactly this item, or -1.
    virtual int RowOf(const CKivMp3 *item) const
    {
        for (int row = 0; row < RowCount(); ++row) {
            if (ItemAt(row).get() == item)
                return row;
        }
        return -1;
    }
};

// A display that shows the player's state; refreshed on every tick of the player.
class IKivPlayerListener
{
public:
    virtual ~IKivPlayerListener() = default;
    virtual void PlayerChanged(CKivPlayer *player) = 0;
};
