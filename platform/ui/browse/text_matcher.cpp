#include "platform/ui/browse/text_matcher.h"

TextMatcher& TextMatcher::instance()
{
    static TextMatcher matcher;
    return matcher;
}
