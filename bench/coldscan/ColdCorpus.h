#pragma once

#include <QString>
#include <QStringList>

// The files of the cold scan benchmark and the ceilings of the machine they are measured against.
namespace ColdCorpus {

// count MP3 files of about `bytes` bytes each (MPEG-1 Layer III frames and an ID3v1 tag) below
// folder, spread over `folders` sub-folders; files already there are kept. False (printed) on failure.
bool Make(const QString &folder, int count, qint64 bytes, int folders);

// The files below folder in the order a scan reads them (sub-folders sorted by name, files by name).
QStringList Files(const QString &folder);

// Writes back dirty pages and drops the page cache, dentries and inodes; false when not allowed
// (not root, or a container that forbids it).
bool DropPageCache();

// The bare tag read on `threads` threads: open, fstat, pread of the last 128 bytes, close.
// Files per second.
double BareTagRead(const QStringList &files, int threads);

// `streams` cat processes side by side over the files (split into as many runs of files).
// Bytes per second; 0 when cat cannot be started.
double Cat(const QStringList &files, int streams);

} // namespace ColdCorpus
