#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>

#include <functional>

// Each test class of the program's widget tests, run in turn by main(); each returns QTest's status.
int runSessionDlgTest(int argc, char **argv);
int runLoginDlgTest(int argc, char **argv);
int runAppStartTest(int argc, char **argv);

// Runs action once on the next modal window of type W that comes up (within a few seconds), from the
// event loop that window runs. Modal dialogs block the test, so the test arranges this beforehand.
// Deleting the returned watcher stops waiting.
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
