#pragma once

// Entry points of the MP3 test classes, run one after another by the test program's main.
int runFrameWalkTest(int argc, char **argv);
int runEncoderFilesTest(int argc, char **argv);
int runTagTest(int argc, char **argv);
int runCliTest(int argc, char **argv);
