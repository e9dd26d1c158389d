#pragma once
// The command-line side of the downloader components, for scripts and tests:
//   clipwright --update-components     check and install both, one line each
//   clipwright --rollback-components   switch each back to its previous version
//   clipwright --components            versions installed and what the adapter would run
// These run without a window and without the single-instance lock, so they also work
// while the program is open.

// The exit code of the component command in argv, or -1 when argv holds none. Call it
// before any application object exists: it makes its own, without a display.
int runComponentCommand(int argc, char *argv[]);
