#pragma once

#include <QString>

// A library of generated MP3 files for the scan benchmark: artists, albums and tracks in folders
// "Artist NN/Album NN/NNN Title.mp3", each file MPEG-1 Layer III frames and an ID3v1 tag, or an
// ID3v2.3 tag in front of the frames instead (every fourth of those with a 100 KB picture frame
// before the text frames, as cover art is often written).
namespace BenchLibrary {

enum class Tags { Id3v1, Id3v2 };

// Makes count files below root (kept when root already holds them); frames per file sets the
// size the full analysis walks. False when a file cannot be written.
bool Make(const QString &root, int count, int framesPerFile, Tags tags = Tags::Id3v1);

// Reads every file once so the page cache holds them.
void Warm(const QString &root);

} // namespace BenchLibrary
