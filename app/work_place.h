// Where this run writes its working files and the reader's saves.
#pragma once

// Sets WorkDir and SaveDir from Dir. When Dir can be written, saves go there;
// so do the working files, under the names the magazine documents, for the one
// copy that holds Dir's lock (the first started there). Every other copy works
// in a private directory of its own, and so does a run whose Dir cannot be
// written; its saves then go to the reader's working directory. A private
// directory that cannot be made ends the magazine with a report.
void ChooseWorkPlace();
