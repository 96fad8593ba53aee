#pragma once

#include <vector>

// The answers a message box offers, read from its style. Every backend shows and answers a box
// through these, so that a box answered in a test offers what the desktop shows.
class MessageBoxAnswers {
public:
    // The buttons in the order they are shown: OK; OK, Cancel; Yes, No; Yes, No, Cancel.
    static std::vector<int> buttons(unsigned style);
    // What Esc or the close box answers: Cancel where there is one, else No, else OK.
    static int escape(unsigned style);
    static bool offers(unsigned style, int answer);
};
