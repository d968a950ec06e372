#pragma once

// Each test class of the scan test program, run in turn by main(); each returns QTest's status.
int runScanWalkTest(int argc, char **argv);
int runScanTreeTest(int argc, char **argv);
int runScanDriverTest(int argc, char **argv);
int runScanCliTest(int argc, char **argv);
