#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Each test class of the dialog tests, run in turn by main(); each returns QTest's status.
int runSettingsSheetTest(int argc, char **argv);
int runMediumDlgTest(int argc, char **argv);
int runScanProgressDlgTest(int argc, char **argv);
int runFilterDlgTest(int argc, char **argv);
int runMediaCatalogDlgTest(int argc, char **argv);

// Runs action on the modal window that is up once the event loop of exec() runs.
template <typename Action>
void onModal(Action action)
{
    QTimer::singleShot(0, qApp, [action] {
        if (QWidget *window = QApplication::activeModalWidget())
            action(window);
    });
}

template <typename T>
T *child(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}
