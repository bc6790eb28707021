#include "catalogue/categories/category_rules.h"

#include "platform/core/message.h"

bool CategoryIsEmpty(const NSBRAZRecord& category) { return category.KEY_ROOT.isBlank() && category.NAME.isBlank(); }

bool CategoryCodeMissing(const NSBRAZRecord& category) { return category.KEY_ROOT.isBlank(); }

void TellCategoryCodeMissing()
{
    Message(QStringLiteral("Укажите № п.п. категории."), QStringLiteral("Категории расценок"), MessageIcon::Information);
}
