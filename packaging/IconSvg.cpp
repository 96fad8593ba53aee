// Writes the program's icon (the XPM data the windows use) as an SVG for the desktop's icon
// theme, so that the two never differ: one rectangle per run of equal pixels in a row.
//
//   vtr-icon-svg OUTPUT.svg

#include "res/AppIcon.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

namespace {

struct XpmHeader {
    int width = 0;
    int height = 0;
    int colours = 0;
    int charsPerPixel = 0;
};

bool readHeader(XpmHeader& header) {
    return std::sscanf(kAppIconXpm[0], "%d %d %d %d", &header.width, &header.height,
                       &header.colours, &header.charsPerPixel) == 4 &&
           header.charsPerPixel == 1 && header.width > 0 && header.height > 0;
}

// Colour lines read "K c #RRGGBB" or "K c None"; None stays transparent.
std::map<char, std::string> readColours(const XpmHeader& header) {
    std::map<char, std::string> colours;
    for (int i = 1; i <= header.colours; ++i) {
        const char* line = kAppIconXpm[i];
        const char* value = std::strstr(line, " c ");
        if (value != nullptr && std::strcmp(value + 3, "None") != 0) {
            colours[line[0]] = value + 3;
        }
    }
    return colours;
}

} // namespace

int main(int argc, char** argv) {
    XpmHeader header;
    if (argc != 2 || !readHeader(header)) {
        std::fprintf(stderr, "usage: vtr-icon-svg OUTPUT.svg\n");
        return 2;
    }
    const std::map<char, std::string> colours = readColours(header);
    std::ofstream out(argv[1]);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << header.width << "\" height=\""
        << header.height << "\" viewBox=\"0 0 " << header.width << ' ' << header.height
        << "\" shape-rendering=\"crispEdges\">\n";
    for (int y = 0; y < header.height; ++y) {
        const char* row = kAppIconXpm[1 + header.colours + y];
        if (static_cast<int>(std::strlen(row)) < header.width) {
            std::fprintf(stderr, "vtr-icon-svg: row %d of the icon is short\n", y);
            return 1;
        }
        for (int x = 0; x < header.width;) {
            int end = x + 1;
            while (end < header.width && row[end] == row[x]) {
                ++end;
            }
            const auto colour = colours.find(row[x]);
            if (colour != colours.end()) {
                out << "  <rect x=\"" << x << "\" y=\"" << y << "\" width=\"" << end - x
                    << "\" height=\"1\" fill=\"" << colour->second << "\"/>\n";
            }
            x = end;
        }
    }
    out << "</svg>\n";
    return out.good() ? 0 : 1;
}
