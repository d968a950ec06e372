#include "core/SetupRecord.h"

#include "core/BinaryText.h"

#include <QSaveFile>

#include <cstring>

CKivSetupRecord::CKivSetupRecord() : m_bytes(Size, '\0') {}

void CKivSetupRecord::assign(const QByteArray &data)
{
    const qsizetype n = qMin<qsizetype>(data.size(), Size);
    std::memcpy(m_bytes.data(), data.constData(), size_t(n));
}

QString CKivSetupRecord::text(int offset, int size) const
{
    return KivBinary::readSlot(m_bytes.constData() + offset, size);
}

bool CKivSetupRecord::setText(int offset, int size, const QString &value)
{
    return KivBinary::writeSlot(m_bytes.data() + offset, size, value);
}

qint32 CKivSetupRecord::integer(int offset) const
{
    return KivBinary::readLe32Signed(m_bytes.constData() + offset);
}

void CKivSetupRecord::setInteger(int offset, qint32 value)
{
    KivBinary::writeLe32(m_bytes.data() + offset, quint32(value));
}

bool CKivSetupRecord::save(const QString &path) const
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(m_bytes) == Size && file.commit();
}
