#pragma once
// The size of a benchmark's data: its default sizes times TOLVEX_BENCH_SCALE (1 when unset),
// so the same benchmark draws the curve from the small sizes to the large ones.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench {

inline int scale()
{
    static const int factor = [] {
        const char* text = std::getenv("TOLVEX_BENCH_SCALE");
        const int n = text ? std::atoi(text) : 1;
        if (n < 1) {
            std::fprintf(stderr, "TOLVEX_BENCH_SCALE must be a whole number from 1 up; taking 1\n");
            return 1;
        }
        return n;
    }();
    return factor;
}

inline int scaled(int size) { return size * scale(); }

// "1,000,000": the size as a figure's text names it.
inline std::string grouped(long long n)
{
    const std::string digits = std::to_string(n);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && digits[i - 1] != '-' && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

}  // namespace bench
