#pragma once
// The browse layer's text-matching options: NOCASE compares texts without regard to letter
// case, WORDONLY limits a search text to whole words. The program sets them up once at
// start-up (case-free, not limited to words) and closes them at the end.

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
