#pragma once

// Each test class of the list test program, run in turn by main(); each returns QTest's status.
int runModelTest(int argc, char **argv);
int runArrangementTest(int argc, char **argv);
int runViewTest(int argc, char **argv);
