#pragma once

// Each test class of the catalog test program, run in turn by main(); each returns QTest's status.
int runDialectTest(int argc, char **argv);
int runDatabaseTest(int argc, char **argv);
int runRecordsetTest(int argc, char **argv);
int runFolderTest(int argc, char **argv);
int runMp3sTest(int argc, char **argv);
int runConcurrencyTest(int argc, char **argv);
