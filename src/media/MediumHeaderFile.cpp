#include "media/MediumHeaderFile.h"

#include "core/BinaryText.h"
#include "media/MediaLog.h"

#include <QFile>
#include <QSaveFile>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

} // namespace

bool CKivMediumHeaderFile::Exists(const QString &root)
{
    std::error_code error;
    return std::filesystem::exists(fsPath(PathIn(root)), error);
}

CKivMediumHeaderFile::Content CKivMediumHeaderFile::Read(const QString &root)
{
    Content content;
    const QString path = PathIn(root);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fsPath(path), error);
    if (!std::filesystem::exists(status)) {
        content.status = Status::Missing;
        return content;
    }
    // A folder, a pipe or a device of that name is no header (and a pipe would block the read).
    if (!std::filesystem::is_regular_file(status)) {
        content.status = Status::Unreadable;
        return content;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.status = Status::Unreadable;
        return content;
    }
    const QByteArray block = file.read(FileSize);
    if (block.size() < 0 || file.error() != QFileDevice::NoError) {
        content.status = Status::Unreadable;
        return content;
    }
    if (block.size() < FileSize) {
        qCInfo(lcMedia) << "header file with" << block.size() << "bytes ignored:" << path;
        content.status = Status::Short;
        return content;
    }
    content.status = Status::Ok;
    content.name = KivBinary::readSlot(block.constData(), FileSize);
    return content;
}

QByteArray CKivMediumHeaderFile::Block(const QString &name)
{
    if (KivBinary::encodedLength(name) > MaxNameBytes)
        return QByteArray();
    QByteArray block(FileSize, '\0');
    for (int slot = 0; slot < SlotCount; ++slot)
        KivBinary::writeSlot(block.data() + slot * SlotSize, SlotSize, name);
    return block;
}

bool CKivMediumHeaderFile::Write(const QString &root, const QString &name)
{
    const QByteArray block = Block(name);
    if (block.isEmpty())
        return false;
    QSaveFile file(PathIn(root));
    // Where the folder takes no temporary file (a read-only folder holding a writable header),
    // the one 300-byte write goes to the file itself.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        qCInfo(lcMedia) << "cannot create header file" << PathIn(root) << file.errorString();
        return false;
    }
    if (file.write(block) != block.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
