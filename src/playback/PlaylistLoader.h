#pragma once

#include "mp3/item/Mp3Item.h"

#include <QStringList>

#include <vector>

class CKivDatabase;
class CKivMedienListe;

// Turns the keys of a playlist file into MP3 items: the catalog rows are looked up in batches of
// keys (one statement per batch, not one per key), and the items come out in the keys' order, one per
// key (a key listed twice gives two items); keys without a catalog row are left out.
namespace KivPlaylistLoader {

constexpr int BatchSize = 500;

// The items of keys, placed on the media of media (a medium the user does not have gives an item
// without medium, which never plays). False when a lookup failed; items is then empty.
bool Load(CKivDatabase &db, CKivMedienListe *media, const QStringList &keys, std::vector<CKivMp3::Ptr> &items);

} // namespace KivPlaylistLoader
