// This run's private working directory, for files that cannot go where the
// magazine documents them.
#pragma once
#include <string>

// A directory of this run's own, 0700, under $XDG_RUNTIME_DIR, else $TMPDIR,
// else /tmp; made on the first call, ending in "/", and removed with its files
// on every way out. One that cannot be made ends the magazine with a report.
std::string PrivateWorkDir();
