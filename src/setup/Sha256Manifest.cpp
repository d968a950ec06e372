#include "setup/Sha256Manifest.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSet>

namespace {

bool isHexSum(const QByteArray &text)
{
    if (text.size() != 64)
        return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

} // namespace

CKivSha256Manifest CKivSha256Manifest::Parse(const QByteArray &text)
{
    CKivSha256Manifest manifest;
    QSet<QString> conflicting;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() < 67 || (line.at(65) != ' ' && line.at(65) != '*') || line.at(64) != ' ')
            continue;
        const QByteArray sum = line.left(64).toLower();
        const QString name = QString::fromUtf8(line.mid(66));
        if (!isHexSum(sum) || name.isEmpty())
            continue;
        if (manifest.m_sums.contains(name) && manifest.m_sums.value(name) != sum)
            conflicting.insert(name);
        manifest.m_sums.insert(name, sum);
    }
    for (const QString &name : conflicting)
        manifest.m_sums.remove(name);
    return manifest;
}

QByteArray CKivSha256Manifest::FileSum(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex();
}

bool CKivSha256Manifest::Matches(const QString &fileName, const QString &path) const
{
    const QByteArray listed = SumOf(fileName);
    if (listed.isEmpty())
        return false;
    const QByteArray actual = FileSum(path);
    return !actual.isEmpty() && actual == listed;
}
