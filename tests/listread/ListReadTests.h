#pragma once

// Each test class of the list-read test program, run in turn by main(); each returns QTest's status.
int runRowReaderTest(int argc, char **argv);
int runListLoadTest(int argc, char **argv);
