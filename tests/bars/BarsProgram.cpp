#include "bars/BarsProgram.h"

#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

const QList<int> BarsProgram::kStandard{32972, 0, 32948, 0, 32912, 32911};
const QList<int> BarsProgram::kEdit{57635, 57634, 0, 33042};
const QList<int> BarsProgram::kFilter{33022, 33030, 33024, 0, 33023};

BarsProgram::BarsProgram(const QString &storeFile)
    : store(storeFile)
{
    const auto add = [this](int id, const char *text, QList<QKeySequence> keys = {}) {
        return commands.add(id, QString::fromUtf8(text), QString(), keys);
    };
    auto *file = frame.menuBar()->addMenu(QStringLiteral("&Datei"));
    file->addAction(add(32972, "Datei von Festplatte Öffnen..."));
    file->addAction(add(32948, "Katalog Anzeigen"));
    file->addAction(add(33082, "Mp3's in Playlist Einfügen", {QKeySequence(Qt::Key_F3)}));
    auto *edit = frame.menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    edit->addAction(add(57635, "Ausschneiden", {QKeySequence(Qt::SHIFT | Qt::Key_Delete)}));
    edit->addAction(add(57634, "Kopieren", {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
    edit->addAction(add(33042, "Tag's Bearbeiten I", {QKeySequence(Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_B)}));
    auto *left = frame.menuBar()->addMenu(QStringLiteral("&Ansicht"))->addMenu(QStringLiteral("&Links"));
    left->addAction(add(32912, "Baum u. Datei Ansicht"));
    left->addAction(add(32911, "Baum Ansicht", {QKeySequence(Qt::Key_F5)}));
    auto *filter = frame.menuBar()->addMenu(QStringLiteral("Filter"));
    filter->addAction(add(33024, "Definieren"));
    filter->addAction(add(33030, "Offline CD's"));
    filter->addAction(add(33022, "Online Medien"));
    add(33023, "Sortierung");
    add(32955, "Play", {QKeySequence(Qt::KeypadModifier | Qt::Key_5)});

    manager = std::make_unique<CKivToolBarManager>(frame, commands, store);
    manager->setWidgetFactory(33023, [](QWidget *parent) {
        auto *box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("sortBox"));
        box->addItems({QStringLiteral("Artist"), QStringLiteral("Title")});
        return box;
    });
    bars = manager->createToolBars({{QStringLiteral("Standard"), QStringLiteral("Standard"), kStandard},
                                    {QStringLiteral("Ansicht"), QStringLiteral("Ansicht"), {32912, 32911}},
                                    {QStringLiteral("Edit"), QStringLiteral("Edit"), kEdit},
                                    {QStringLiteral("Filter"), QStringLiteral("Filter"), kFilter}});
}

QToolBar *BarsProgram::bar(const QString &objectName) const
{
    return frame.findChild<QToolBar *>(objectName);
}
