// Counts how much of a screenshot looks like pages of text: for bench/thumbnails_bench.sh,
// which takes pictures of a window in a loop until its first thumbnails are drawn.
//   page_ink [LEFT TOP RIGHT BOTTOM] < frame.ppm      (the edges in per cent of the picture)
// Prints the number of ink pixels inside the given part of the picture (default: all of it).
//
// An ink pixel is one clearly darker than paper (luma below 200) with paper (all channels at
// least 250) two pixels away on at least two of its four sides: a stroke of text, drawn small
// on a white page. Placeholders, empty panes and the window's tinted or grey backgrounds have
// no paper; a plain white placeholder has paper but no ink; a frame around a placeholder has
// paper on one side at most; captions stand on the window's background, not on paper.
// Plain C++, reading binary PPM (P6, maxval 255) as ImageMagick writes it.
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

bool readNumber(std::FILE *in, int &value)
{
    int c = std::fgetc(in);
    while (c == '#' || c == ' ' || c == '\n' || c == '\r' || c == '\t') {
        if (c == '#')
            while (c != '\n' && c != EOF)
                c = std::fgetc(in);
        c = std::fgetc(in);
    }
    if (c < '0' || c > '9')
        return false;
    value = 0;
    while (c >= '0' && c <= '9') {
        value = value * 10 + (c - '0');
        c = std::fgetc(in);
    }
    return true; // the one whitespace after the number is eaten
}

} // namespace

int main(int argc, char **argv)
{
    int edges[4] = {0, 0, 100, 100};
    if (argc == 5)
        for (int i = 0; i < 4; ++i)
            edges[i] = std::atoi(argv[i + 1]);
    else if (argc != 1) {
        std::fprintf(stderr, "usage: page_ink [LEFT TOP RIGHT BOTTOM] < frame.ppm\n");
        return 2;
    }
    int width = 0, height = 0, maxval = 0;
    if (std::fgetc(stdin) != 'P' || std::fgetc(stdin) != '6' || !readNumber(stdin, width)
        || !readNumber(stdin, height) || !readNumber(stdin, maxval) || maxval != 255 || width <= 0
        || height <= 0) {
        std::fprintf(stderr, "page_ink: not a binary PPM of 8 bits a channel\n");
        return 2;
    }
    std::vector<unsigned char> rgb(size_t(width) * size_t(height) * 3);
    if (std::fread(rgb.data(), 1, rgb.size(), stdin) != rgb.size()) {
        std::fprintf(stderr, "page_ink: the picture is cut short\n");
        return 2;
    }
    const auto at = [&](int x, int y) { return rgb.data() + (size_t(y) * size_t(width) + size_t(x)) * 3; };
    const auto paper = [&](int x, int y) {
        const unsigned char *p = at(x, y);
        return p[0] >= 250 && p[1] >= 250 && p[2] >= 250;
    };
    const int left = std::max(2, width * edges[0] / 100), right = std::min(width - 2, width * edges[2] / 100);
    const int top = std::max(2, height * edges[1] / 100), bottom = std::min(height - 2, height * edges[3] / 100);
    long ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const unsigned char *p = at(x, y);
            if (p[0] * 299 + p[1] * 587 + p[2] * 114 >= 200 * 1000)
                continue;
            const int sides = paper(x - 2, y) + paper(x + 2, y) + paper(x, y - 2) + paper(x, y + 2);
            ink += sides >= 2;
        }
    std::printf("%ld\n", ink);
    return 0;
}
