#pragma once

#include "mp3/ByteSource.h"
#include "mp3/FrameWalk.h"

// Reference frame walk for tests and the benchmark: the plain algorithm with one small positioned
// read per position looked at, written independently of the buffered walk so each checks the other.
KivMpeg::FrameWalkResult slowWalkFrames(IKivByteSource &source);
