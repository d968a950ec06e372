#pragma once

#include "core/ProfileStore.h"
#include "controls/ui/CommandRegistry.h"
#include "controls/ui/bars/ToolBarManager.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

int runToolBarPersistenceTest(int argc, char **argv);
int runCustomizeDlgTest(int argc, char **argv);

// One run of the program as far as the bars go: a frame with a menu bar, some commands with their
// keys, the four default bars and the sort combo box, on a profile store file. A second instance
// on the same file is the next start of the program.
struct BarsProgram {
    explicit BarsProgram(const QString &storeFile);

    QToolBar *bar(const QString &objectName) const;

    CKivProfileStore store;
    CKivCommandRegistry commands;
    QMainWindow frame;
    std::unique_ptr<CKivToolBarManager> manager;
    QList<QToolBar *> bars;

    static const QList<int> kStandard;
    static const QList<int> kEdit;
    static const QList<int> kFilter;
};

// Runs action once on the next modal window of type W (within a few seconds), from its event loop.
template <typename W>
QPointer<QTimer> whenModal(std::function<void(W *)> action)
{
    auto *timer = new QTimer(qApp);
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, action] {
        if (auto *window = qobject_cast<W *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(window);
        } else if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
    return timer;
}
