#include "res/ToolbarImages.h"

// New, Open, Save, About and Context Help: five 16 x 15 images side by side, as XPM text
// lines (one character per pixel).
const char* const kMainToolbarXpm[] = {
    "80 15 7 1",
    ". c None",
    "k c #000000",
    "w c #FFFFFF",
    "y c #F2C230",
    "o c #C89A1E",
    "b c #1F5FAF",
    "g c #B8BEC6",
    "................................................................k...............",
    "...kkkkkkk.......................kkkkkkkkkkkkk.......bbbbbb.....kk..............",
    "...kwwwwwkk......................kbkwwwwwwwkbk.....bbbbbbbbbb...kwk.............",
    "...kwwwwwkwk.....kkkk............kbkwwwwwwwkbk....bbbbwwwwbbbb..kwwk.....bbbb...",
    "...kwwwwwkkkk...kyyyyk...........kbkwwwwwwwkbk....bbbwwbbwwbbb..kwwwk...bb..bb..",
    "...kwwwwwwwwk...kyyyyykkkkkkk....kbkwwwwwwwkbk...bbbbbbbbwwbbbb.kwwwwk......bb..",
    "...kwwwwwwwwk...kyyyyyyyyyyyk....kbbkkkkkkkbbk...bbbbbbbwwbbbbb.kwwwwwk....bb...",
    "...kwwwwwwwwk...kyykkkkkkkkkkkk..kbbbbbbbbbbbk...bbbbbbwwbbbbbb.kwwkkkk...bb....",
    "...kwwwwwwwwk...kyykooooooooook..kbbggggggggbk...bbbbbbwwbbbbbb.kwk.......bb....",
    "...kwwwwwwwwk...kykooooooooook...kbbggkkggggbk....bbbbbbbbbbbb..kk..............",
    "...kwwwwwwwwk...kykooooooooook...kbbggkkggggbk....bbbbbwwbbbbb..k.........bb....",
    "...kwwwwwwwwk...kkooooooooook....kbbggkkggggbk.....bbbbwwbbbb.............bb....",
    "...kwwwwwwwwk...kkkkkkkkkkkkk....kkkkkkkkkkkkk.......bbbbbb.....................",
    "...kkkkkkkkkk...................................................................",
    "................................................................................",
};
