#include "platform/records/error_codes.h"

#include "platform/core/regional.h"

namespace records {

QString errorTextOf(int code) { return ErrorText(code) + QStringLiteral(" (") + QString::number(code) + u')'; }

RecordError errorOf(int code) { return RecordError{code, errorTextOf(code)}; }

RecordError errorOf(int code, const QString& reason) { return RecordError{code, driverErrorTextOf(reason, code)}; }

QString driverErrorTextOf(const QString& message, int driverCode)
{
    return message + QStringLiteral(" (") + QString::number(driverCode) + u')';
}

}  // namespace records
