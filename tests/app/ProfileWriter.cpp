// Writes one process's share of the profile store test: FILE PREFIX COUNT sets PREFIX<i> to i for i
// in 0..COUNT-1 and reads each value back.
#include "core/ProfileStore.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    CKivProfileStore store(args.at(1));
    const QString prefix = args.at(2);
    const int count = args.at(3).toInt();
    const QString section = QStringLiteral("Shared");
    for (int i = 0; i < count; ++i) {
        const QString key = prefix + QString::number(i);
        if (!store.setValue(section, key, QString::number(i)) || store.value(section, key) != QString::number(i))
            return 1;
    }
    return 0;
}
