#include "browse/list/Mp3SortOrder.h"

#include "browse/list/Mp3CellText.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <limits>
#include <numeric>

namespace KivMp3SortOrder {

using KivMp3Column::Field;

namespace {

qint64 numericKey(CKivMp3 &item, Field field, const CKivMedienListe *media)
{
    switch (field) {
    case Field::Type:
        return item.StatusCode(media);
    case Field::Status:
        return item.MediumState();
    case Field::Rating:
        return item.GetBewertung();
    case Field::Id:
        return item.GetID();
    case Field::Size:
        return item.GetFileSize();
    case Field::Length:
        return item.GetLength();
    case Field::Track:
        return item.GetTrackNr();
    case Field::SampleRate:
        return item.GetSampleRate();
    case Field::BitRate:
        return item.GetBitRate();
    case Field::Layer:
        return item.GetMpegLayer();
    case Field::Frames:
        return item.GetFrames();
    case Field::Copyright:
        return item.GetCopyright();
    case Field::Original:
        return item.GetOriginal();
    case Field::Crc:
        return item.GetHasCRC();
    case Field::Anlegedatum: {
        const QDateTime date = item.GetAnlegedatum();
        return date.isValid() ? date.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min();
    }
    default:
        return 0;
    }
}

template<class Less>
void sortPermutation(std::vector<int> &perm, Qt::SortOrder order, Less less)
{
    if (order == Qt::AscendingOrder)
        std::stable_sort(perm.begin(), perm.end(), less);
    else
        std::stable_sort(perm.begin(), perm.end(), [&less](int a, int b) { return less(b, a); });
}

} // namespace

bool isNumeric(Field field)
{
    switch (field) {
    case Field::Hidden:
    case Field::Filename:
    case Field::Album:
    case Field::Artist:
    case Field::Title:
    case Field::Genre:
    case Field::Year:
    case Field::Comment:
    case Field::Mediumname:
    case Field::Drive:
    case Field::Path:
    case Field::Version:
    case Field::ChannelMode:
    case Field::Emphasis:
        return false;
    default:
        return true;
    }
}

std::vector<int> permutation(const std::vector<CKivMp3::Ptr> &rows, Field field, Qt::SortOrder order,
                             const CKivMedienListe *media)
{
    const int count = int(rows.size());
    std::vector<int> perm(static_cast<size_t>(count));
    std::iota(perm.begin(), perm.end(), 0);

    if (isNumeric(field)) {
        std::vector<qint64> keys(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            keys[size_t(i)] = numericKey(*rows[size_t(i)], field, media);
        sortPermutation(perm, order, [&keys](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    } else {
        // The texts are German: umlauts sort with their base letters, case does not decide.
        QCollator collator(QLocale(QLocale::German, QLocale::Germany));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<QCollatorSortKey> keys;
        keys.reserve(size_t(count));
        for (int i = 0; i < count; ++i)
            keys.push_back(collator.sortKey(KivMp3CellText::text(*rows[size_t(i)], field)));
        sortPermutation(perm, order, [&keys](int a, int b) { return keys[size_t(a)].compare(keys[size_t(b)]) < 0; });
    }

    return perm;
}

void sort(std::vector<CKivMp3::Ptr> &rows, Field field, Qt::SortOrder order, const CKivMedienListe *media)
{
    const std::vector<int> perm = permutation(rows, field, order, media);
    std::vector<CKivMp3::Ptr> sorted;
    sorted.reserve(rows.size());
    for (int index : perm)
        sorted.push_back(std::move(rows[size_t(index)]));
    rows.swap(sorted);
}

} // namespace KivMp3SortOrder
