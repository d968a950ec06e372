#pragma once

// Each test class of the setup test program, run in turn by main(); each returns QTest's status.
int runChecksTest(int argc, char **argv);
int runFileStepsTest(int argc, char **argv);
int runInstallationTest(int argc, char **argv);
