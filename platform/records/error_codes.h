#pragma once
// The platform's error codes that the file managers react to, and the "%ErrorText" form of a
// failure: the error text of the code, a blank and the code in parentheses.

#include <QString>

namespace records {

inline constexpr int kNoError = 0;
inline constexpr int kFileNotFound = 2;
inline constexpr int kAccessDenied = 5;
inline constexpr int kOutOfMemory = 8;
inline constexpr int kLocked = 32;
inline constexpr int kRecordNotAvailable = 33;  // reading past the first or last record
inline constexpr int kRecordNotFound = 35;
inline constexpr int kDamagedFile = 36;
inline constexpr int kFileNotOpen = 37;
inline constexpr int kDuplicateKey = 40;
inline constexpr int kKeysToRebuild = 46;
inline constexpr int kBadFileStructure = 47;
inline constexpr int kDriverError = 90;
inline constexpr int kRecordLimit = 94;

struct RecordError {
    int code = kNoError;
    QString text;  // "%ErrorText"
};

// ErrorText(code) + " (" + code + ")"
QString errorTextOf(int code);
// The failure of `code` with that text.
RecordError errorOf(int code);
// The failure of `code` with a reason of its own in place of the code's text, in the same form.
RecordError errorOf(int code, const QString& reason);
// For driver errors: the driver's own message and code in the same form.
QString driverErrorTextOf(const QString& message, int driverCode);

}  // namespace records
