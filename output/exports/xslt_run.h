#pragma once
// The XSLT run of the XML exports: the configured processor on "smeta.xml" with the stylesheet
// the mode chooses, started without a shell; one named without a folder is found beside the
// program first (the project's own, "tolvex-xslt", is built there). The calling logical thread waits for it; other
// threads go on.

// Modes: 1 and 2 the estimate's 11- and 7-column forms, 3 and 4 the act's. A blank processor
// setting starts nothing (the file is the result). A processor that cannot start or ends with
// an error is reported.
void RunXsltProcessor(int mode);
