#pragma once

#include <QPixmap>

// The pictures of the "T", "S" and "N" columns by image key (0..16): item status, medium state and
// rating. Drawn once per size and kept.
namespace KivMp3ImageSet {

// A null pixmap for keys outside 0..16.
QPixmap pixmap(int key, int size);

} // namespace KivMp3ImageSet
