#pragma once
// The program's printer: the choice made in the printer set-up is kept for every report.

class QPrinter;

namespace ui {

QPrinter& programPrinter();
// The platform's page and printer set-up, a nested window of the calling thread, which waits
// for it.
void printerSetup();

}  // namespace ui
