#pragma once

#include <QFont>
#include <QRect>

// Converts dialog units into pixels for one font: a horizontal unit is a quarter of the
// font's average character width, a vertical unit an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int units) const { return units * m_charWidth / 4; }
    int y(int units) const { return units * m_charHeight / 8; }
    QRect rect(int x0, int y0, int width, int height) const;

    int charWidth() const { return m_charWidth; }
    int charHeight() const { return m_charHeight; }

private:
    int m_charWidth;
    int m_charHeight;
};
