#pragma once

// Each test class of the MP3 item test programs, run in turn by their main(); each returns QTest's status.
int runItemValuesTest(int argc, char **argv);
int runFileOpsTest(int argc, char **argv);
int runItemFileTest(int argc, char **argv);
int runItemSaveTest(int argc, char **argv);
int runItemChangeTest(int argc, char **argv);
int runItemTransferTest(int argc, char **argv);
