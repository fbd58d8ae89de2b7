// Standard descriptors a caller closed: left closed, the next files opened
// would take their numbers, and the terminal's output would land in them.
#pragma once

// Opens any closed one of 0, 1 and 2 on /dev/null; the first thing at start.
void OpenClosedStandardDescriptors();
