#pragma once
// `PrintToTextFile`: the estimate `NumSmeta` holds when it starts, as the fixed-width DOS text
// "TEXTREP" (cp866, CR LF) for a line printer, with a progress window over the sections and
// one (`PrintGroups`) over the lines of each; then the text viewer on the file, not waited for.
// Runs on the calling thread, which the editor starts for it.

void PrintToTextFile();
