#include "ui/qt/DialogUnits.h"

#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width over the Latin letters, rounded, as dialog layouts assume.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_charWidth = (letters / 26 + 1) / 2;
    m_charHeight = metrics.height();
}

QRect DialogUnits::rect(int x0, int y0, int width, int height) const {
    const int left = x(x0);
    const int top = y(y0);
    return {left, top, x(x0 + width) - left, y(y0 + height) - top};
}
