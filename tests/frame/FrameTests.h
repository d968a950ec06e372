#pragma once

// Each test class of the frame's tests, run in turn by main(); each returns QTest's status.
int runCommandTableTest(int argc, char **argv);
int runSplitterTest(int argc, char **argv);
int runMainFrameTest(int argc, char **argv);
int runFrameListsTest(int argc, char **argv);
int runCommandCensusTest(int argc, char **argv);
