#include "core/BinaryText.h"

#include <QTest>

using namespace KivBinary;

class BinaryTextTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windows1252RoundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(toWindows1252(fromWindows1252(all)), all);
        QCOMPARE(fromWindows1252(QByteArray("\x80\x9f", 2)), QStringLiteral(u"\u20ac\u0178"));
    }

    void slotChoosesEncodingByContent()
    {
        // Umlauts fit Windows-1252 and take one byte; a Japanese name does not and goes out as UTF-8.
        QCOMPARE(encodeText(QStringLiteral(u"Motörhead")), QByteArray("Mot\xf6rhead"));
        const QString japanese = QStringLiteral(u"\u6771\u4eac");
        QCOMPARE(encodeText(japanese), japanese.toUtf8());
        QCOMPARE(decodeText(japanese.toUtf8()), japanese);
        // Bytes from a Windows peer that happen not to be valid UTF-8 are read as Windows-1252.
        QCOMPARE(decodeText(QByteArray("Caf\xe9")), QStringLiteral(u"Café"));
        // Plain ASCII is the same either way.
        QCOMPARE(decodeText(QByteArray("Rock")), QStringLiteral("Rock"));
    }

    void slotIsZeroPaddedAndCutWithoutSplittingCharacters()
    {
        char slot[6];
        std::memset(slot, 'x', sizeof slot);
        QVERIFY(writeSlot(slot, 6, QStringLiteral("abc")));
        QCOMPARE(QByteArray(slot, 6), QByteArray("abc\0\0\0", 6));
        QCOMPARE(readSlot(slot, 6), QStringLiteral("abc"));

        QVERIFY(!writeSlot(slot, 6, QStringLiteral("abcdefgh")));
        QCOMPARE(QByteArray(slot, 6), QByteArray("abcde\0", 6));

        // Three-byte UTF-8 characters: only one fits into the five usable bytes.
        QVERIFY(!writeSlot(slot, 6, QStringLiteral(u"\u6771\u4eac")));
        QCOMPARE(readSlot(slot, 6), QStringLiteral(u"\u6771"));

        // A full slot has no terminating zero and still reads back whole.
        QVERIFY(writeFullSlot(slot, 6, QStringLiteral("abcdef")));
        QCOMPARE(readSlot(slot, 6), QStringLiteral("abcdef"));
    }

    void littleEndianIntegers()
    {
        char buf[4];
        writeLe32(buf, 0x01020304u);
        QCOMPARE(QByteArray(buf, 4), QByteArray("\x04\x03\x02\x01", 4));
        QCOMPARE(readLe32(buf), 0x01020304u);
        writeLe32(buf, quint32(-5));
        QCOMPARE(readLe32Signed(buf), -5);
    }
};

QTEST_GUILESS_MAIN(BinaryTextTest)
#include "BinaryTextTest.moc"
