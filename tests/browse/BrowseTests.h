#pragma once

// Each test class of the browse test program, run in turn by main(); each returns QTest's status.
int runFilterTextTest(int argc, char **argv);
int runFilterQueryTest(int argc, char **argv);
