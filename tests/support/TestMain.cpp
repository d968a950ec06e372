#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QList>
#include <QTest>

namespace {

struct Registry
{
    QList<KivTestRegistry::Factory> tests;
    QList<KivTestRegistry::SetUp> setUps;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

} // namespace

bool KivTestRegistry::add(Factory make, SetUp setUp)
{
    registry().tests.append(make);
    if (setUp && !registry().setUps.contains(setUp))
        registry().setUps.append(setUp);
    return true;
}

int KivTestRegistry::runAll(int argc, char **argv)
{
    for (SetUp setUp : registry().setUps) {
        if (!setUp())
            return 1;
    }
    int status = 0;
    for (Factory make : registry().tests) {
        // Test objects install doubles (user interface, drives) for their lifetime: one at a time.
        const std::unique_ptr<QObject> test = make();
        status |= QTest::qExec(test.get(), argc, argv);
    }
    return status;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return KivTestRegistry::runAll(argc, argv);
}
