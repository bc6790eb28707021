#pragma once
// A working value of the totals chains: DECIMAL(15,2), rounded at each assignment. A value that
// does not fit is never kept wrapped: it marks the overflow, and the chain is refused.

#include "platform/core/decimal.h"

class Working {
public:
    explicit Working(bool& overflow) : overflow_(overflow) {}
    void set(Decimal& target, const Decimal& value)
    {
        DecimalField<15, 2> field;
        if (!field.checkedStore(value)) overflow_ = true;
        target = field.value();
    }

private:
    bool& overflow_;
};
