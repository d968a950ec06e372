#include "app/ui/frame/CommandTable.h"
#include "frame/FrameTests.h"

#include <QKeySequence>
#include <QSet>
#include <QTest>

// The command table as data: ids once each, texts, prompts and keys as the users know them, and
// tool bars that only name commands of the table.
class CommandTableTest : public QObject
{
    Q_OBJECT

    static const KivCommandDef &def(int id)
    {
        const KivCommandDef *found = KivCommandTable::find(id);
        if (!found)
            qFatal("command %d missing", id);
        return *found;
    }

    static bool hasKey(int id, QKeyCombination key) { return def(id).keys.contains(key); }

private Q_SLOTS:
    void everyIdOnceAndEveryBarButtonInTheTable()
    {
        QSet<int> ids;
        for (const KivCommandDef &command : KivCommandTable::commands()) {
            QVERIFY2(!ids.contains(command.id), qPrintable(QString::number(command.id)));
            ids.insert(command.id);
            QVERIFY2(!command.text.isEmpty(), qPrintable(QString::number(command.id)));
            QVERIFY2(!command.prompt.isEmpty(), qPrintable(QString::number(command.id)));
        }
        QCOMPARE(KivCommandTable::toolBars().size(), 4);
        for (const KivToolBarLayout &bar : KivCommandTable::toolBars()) {
            for (int id : bar.buttons)
                QVERIFY2(id == 0 || ids.contains(id), qPrintable(bar.title + QString::number(id)));
        }
        QCOMPARE(KivCommandTable::toolBars().at(3).buttons,
                 (QList<int>{33022, 33030, 33024, 0, 33023}));
        QCOMPARE(KivCommandTable::toolBars().at(0).buttons.size(), 24);
        QCOMPARE(KivCommandTable::leftLayoutCommands().size(), 8);
    }

    void textsAndPromptsAsTheUserSeesThem()
    {
        QCOMPARE(def(32972).text, QStringLiteral("Datei von Festplatte Öffnen..."));
        QCOMPARE(def(32972).prompt.section(QLatin1Char('\n'), 0, 0), QStringLiteral("Öffnet eine Import oder Export Datei."));
        QCOMPARE(def(33022).prompt.section(QLatin1Char('\n'), 0, 0), QStringLiteral("Zeigt nur Online-Mp3's an"));
        QCOMPARE(def(33028).prompt.section(QLatin1Char('\n'), 0, 0), QStringLiteral("Zeigt den Setupdialog an"));
        QCOMPARE(def(32823).text, QStringLiteral("Benutzeverwaltung"));
        QCOMPARE(def(57600).prompt, QStringLiteral("Öffnet einen anderen Benutzer.\nBenutzer wechseln"));
        // The option texts of the menu are those of the context menus.
        QCOMPARE(def(32879).text, QStringLiteral("Labels Bearbeiten"));
        QCOMPARE(def(32880).text, QStringLiteral("Drag && Drop"));
        QCOMPARE(def(32884).text, QStringLiteral("Mp3 QuickImport"));
        QCOMPARE(def(32918).text, QStringLiteral("Tag  Ansicht"));
        QCOMPARE(def(32954).text, QStringLiteral("Aufsteigend Sortieren "));
        QCOMPARE(def(33025).menu, QStringLiteral("&?"));
        QCOMPARE(def(32911).menu, QStringLiteral("&Ansicht/&Links"));
        QCOMPARE(def(32916).menu, QStringLiteral("&Ansicht/&Rechts"));
        QVERIFY(def(33034).menu.isEmpty());
        QVERIFY(def(33081).keys.isEmpty());
    }

    void keysIncludingTheNumericKeypad()
    {
        QVERIFY(hasKey(33034, QKeyCombination(Qt::Key_F1)));
        QVERIFY(hasKey(33036, QKeyCombination(Qt::Key_F2)));
        QVERIFY(hasKey(33042, QKeyCombination(Qt::Key_F4)));
        QVERIFY(hasKey(33042, Qt::CTRL | Qt::Key_B));
        QVERIFY(hasKey(32911, QKeyCombination(Qt::Key_F5)));
        QVERIFY(hasKey(33080, QKeyCombination(Qt::Key_F8)));
        QVERIFY(hasKey(32915, QKeyCombination(Qt::Key_F10)));
        QVERIFY(hasKey(57634, Qt::CTRL | Qt::Key_Insert));
        QVERIFY(hasKey(57635, Qt::SHIFT | Qt::Key_Delete));
        QVERIFY(hasKey(57633, QKeyCombination(Qt::Key_Delete)));
        QVERIFY(hasKey(57600, Qt::CTRL | Qt::Key_N));
        QVERIFY(hasKey(32955, Qt::KeypadModifier | Qt::Key_5));
        QVERIFY(hasKey(32956, Qt::KeypadModifier | Qt::Key_0));
        QVERIFY(hasKey(32957, Qt::KeypadModifier | Qt::Key_Comma));
        // The keypad plus is quieter, the keypad minus louder.
        QVERIFY(hasKey(32963, Qt::KeypadModifier | Qt::Key_Plus));
        QVERIFY(hasKey(32962, Qt::KeypadModifier | Qt::Key_Minus));
        QVERIFY(!hasKey(32955, QKeyCombination(Qt::Key_5)));
        // No key is given to two commands.
        QSet<int> seen;
        for (const KivCommandDef &command : KivCommandTable::commands()) {
            for (const QKeyCombination &key : command.keys) {
                QVERIFY2(!seen.contains(key.toCombined()), qPrintable(QKeySequence(key).toString()));
                seen.insert(key.toCombined());
            }
        }
    }
};

int runCommandTableTest(int argc, char **argv)
{
    CommandTableTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CommandTableTest.moc"
