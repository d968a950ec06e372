#pragma once

// The test classes of test_playback, each run by the shared main().
int runPlayerTest(int argc, char **argv);
int runPlaylistFileTest(int argc, char **argv);
int runSleepTimerTest(int argc, char **argv);
int runQtBackendTest(int argc, char **argv);
int runPlaylistViewTest(int argc, char **argv);
int runPlayerDisplayTest(int argc, char **argv);
