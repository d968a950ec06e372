#pragma once

// Each test class of the media test programs, run in turn by their main(); each returns QTest's status.
int runHeaderFileTest(int argc, char **argv);
int runDrivesTest(int argc, char **argv);
int runMediumTest(int argc, char **argv);
int runMedienListeTest(int argc, char **argv);
int runMediumFormTest(int argc, char **argv);
