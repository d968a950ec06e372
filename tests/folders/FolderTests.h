#pragma once

int runEntryTest(int argc, char **argv);
int runOpsTest(int argc, char **argv);
int runModelTest(int argc, char **argv);
