#include "catalogue/import/text/utf8_check.h"

#include <cstring>

void Utf8Check::feed(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end && !bad_) {
        if (pending_ == 0) {
            // plain ASCII eight bytes at a time: most of a price list
            while (end - p >= 8) {
                std::uint64_t word;
                std::memcpy(&word, p, 8);
                if (word & 0x8080808080808080ull) break;
                p += 8;
            }
            if (p == end) break;
            const unsigned char c = *p++;
            if (c < 0x80) continue;
            low_ = 0x80;
            high_ = 0xBF;
            if (c >= 0xC2 && c <= 0xDF) {
                pending_ = 1;
            } else if (c >= 0xE0 && c <= 0xEF) {
                pending_ = 2;
                if (c == 0xE0) low_ = 0xA0;   // overlong
                if (c == 0xED) high_ = 0x9F;  // surrogates
            } else if (c >= 0xF0 && c <= 0xF4) {
                pending_ = 3;
                if (c == 0xF0) low_ = 0x90;   // overlong
                if (c == 0xF4) high_ = 0x8F;  // above U+10FFFF
            } else {
                bad_ = true;
            }
            continue;
        }
        const unsigned char c = *p++;
        if (c < low_ || c > high_) {
            bad_ = true;
            break;
        }
        low_ = 0x80;
        high_ = 0xBF;
        --pending_;
    }
}
