#pragma once
// The platform's regional settings: month names of the date pictures, captions of the
// standard message-dialog buttons, time markers and the texts of the platform's error codes.
// Until the program sets them they hold English defaults.

#include <QString>

namespace regional {

// Sets one setting by its name (either case): "CLACHARSET", "CLAMON", "CLAMONTH",
// "CLABUTTON", "CLACOLSEQ", "CLACASE", "CLAAMPM", or "CLAMSG" followed by an error code.
// The list settings are comma-separated; a list with fewer entries leaves the others at
// their defaults.
void set(const QString& name, const QString& value);
// The value last set under the name; empty when it was never set.
QString setting(const QString& name);

// month 1..12; empty for any other number
QString monthShort(int month);
QString monthFull(int month);

enum class Button { Ok, Yes, No, Abort, Retry, Ignore, Cancel, Help };
QString buttonCaption(Button button);

QString amPm(bool evening);

// The program's own settings and error texts, set once at start-up.
void installProgramSettings();

}  // namespace regional

// The text of a platform error code: the one set for it, or a generic text of our own.
QString ErrorText(int code);
