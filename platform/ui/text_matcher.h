#pragma once
// The browse layer's text matcher: fuzzy matching of a search text against a text, with its
// two options. The program sets it up once at start-up and closes it at the end.

#include <QString>

class TextMatcher {
public:
    enum Option { NOCASE, WORDONLY };

    void Init() { initialized_ = true; }
    void Kill() { initialized_ = false; }
    void SetOption(Option option, int value)
    {
        if (option == NOCASE)
            noCase_ = value != 0;
        else
            wordOnly_ = value != 0;
    }
    bool noCase() const { return noCase_; }
    bool wordOnly() const { return wordOnly_; }
    bool isInitialized() const { return initialized_; }

    static TextMatcher& instance();

private:
    bool initialized_ = false;
    bool noCase_ = false;
    bool wordOnly_ = false;
};
