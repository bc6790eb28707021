#include "catalogue/rates/rate_rules.h"

#include "platform/core/message.h"

bool RateUnnamed(const RaszenkiRecord& rate) { return rate.NRAS.isBlank() && rate.NAME.isBlank(); }

void TellRateUnnamed()
{
    Message(QStringLiteral("Укажите шифр или наименование расценки."), QStringLiteral("Расценки на производство работ"),
            MessageIcon::Information);
}
