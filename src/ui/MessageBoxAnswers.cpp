#include "ui/MessageBoxAnswers.h"

#include "ui/UiConstants.h"

#include <algorithm>

std::vector<int> MessageBoxAnswers::buttons(unsigned style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {IDOK, IDCANCEL};
    case MB_YESNO:
        return {IDYES, IDNO};
    case MB_YESNOCANCEL:
        return {IDYES, IDNO, IDCANCEL};
    default:
        return {IDOK};
    }
}

int MessageBoxAnswers::escape(unsigned style) {
    if (offers(style, IDCANCEL)) {
        return IDCANCEL;
    }
    return offers(style, IDNO) ? IDNO : IDOK;
}

bool MessageBoxAnswers::offers(unsigned style, int answer) {
    const std::vector<int> offered = buttons(style);
    return std::find(offered.begin(), offered.end(), answer) != offered.end();
}
