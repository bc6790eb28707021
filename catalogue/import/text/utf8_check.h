#pragma once
// Whether a file's bytes are well-formed UTF-8, checked as they stream past: no overlong forms,
// no surrogates, nothing above U+10FFFF, no sequence cut at the end.

#include <cstdint>
#include <string_view>

class Utf8Check {
public:
    void feed(std::string_view bytes);
    // After the last bytes: whether all of them were well-formed.
    bool finish() const { return !bad_ && pending_ == 0; }
    bool failed() const { return bad_; }

private:
    bool bad_ = false;
    int pending_ = 0;        // continuation bytes still expected
    unsigned char low_ = 0x80;  // bounds of the next continuation byte
    unsigned char high_ = 0xBF;
};

// The byte-order mark that marks a file as UTF-8 whatever follows.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
