// Writes the pictures of the language list: English.bmp (the Union Flag) and
// Russian.bmp (the tricolour), 20 x 14 pixels, 24-bit BMP, into the folder
// given as the only argument.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 20;
constexpr int kHeight = 14;

struct Rgb {
    std::uint8_t r, g, b;
};

using Painter = Rgb (*)(int x, int y);

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kUnionBlue{1, 33, 105};
constexpr Rgb kUnionRed{200, 16, 46};
constexpr Rgb kRussianBlue{0, 57, 166};
constexpr Rgb kRussianRed{213, 43, 30};

// The Union Flag on its 60 x 30 design grid at one point: saltires, then the cross.
Rgb UnionFlagAt(double u, double v)
{
    const double fromDiagonal = std::fmin(std::fabs(u - 2 * v), std::fabs(u + 2 * v - 60)) / std::sqrt(5.0);
    const double fromCross = std::fmin(std::fabs(u - 30), std::fabs(v - 15));
    if (fromCross < 3)
        return kUnionRed;
    if (fromCross < 5)
        return kWhite;
    if (fromDiagonal < 1.5)
        return kUnionRed;
    if (fromDiagonal < 3)
        return kWhite;
    return kUnionBlue;
}

// At this size the thin stripes need smoothing: each pixel is the mean of 4 x 4 samples.
Rgb UnionFlag(int x, int y)
{
    constexpr int kSamples = 4;
    int r = 0, g = 0, b = 0;
    for (int i = 0; i < kSamples; ++i) {
        for (int j = 0; j < kSamples; ++j) {
            const Rgb c = UnionFlagAt((x + (i + 0.5) / kSamples) * 60.0 / kWidth,
                                      (y + (j + 0.5) / kSamples) * 30.0 / kHeight);
            r += c.r;
            g += c.g;
            b += c.b;
        }
    }
    constexpr int n = kSamples * kSamples;
    return {std::uint8_t(r / n), std::uint8_t(g / n), std::uint8_t(b / n)};
}

Rgb RussianFlag(int, int y)
{
    switch (y * 3 / kHeight) {
    case 0:
        return kWhite;
    case 1:
        return kRussianBlue;
    default:
        return kRussianRed;
    }
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

// An uncompressed 24-bit BMP: rows bottom up, blue-green-red, each padded to four bytes.
std::vector<std::uint8_t> Bitmap(Painter paint)
{
    const std::uint32_t rowSize = (kWidth * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = rowSize * kHeight;
    const std::uint32_t headerSize = 14 + 40;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    PutLe(out, headerSize + imageSize, 4);
    PutLe(out, 0, 4);
    PutLe(out, headerSize, 4);
    PutLe(out, 40, 4);
    PutLe(out, kWidth, 4);
    PutLe(out, kHeight, 4);
    PutLe(out, 1, 2);  // planes
    PutLe(out, 24, 2); // bits per pixel
    PutLe(out, 0, 4);  // no compression
    PutLe(out, imageSize, 4);
    PutLe(out, 2835, 4); // 72 dots per inch
    PutLe(out, 2835, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    for (int y = kHeight - 1; y >= 0; --y) {
        std::uint32_t written = 0;
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = paint(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            written += 3;
        }
        for (; written < rowSize; ++written)
            out.push_back(0);
    }
    return out;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "make_flags: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_flags <output folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    const bool ok = Write(folder + "English.bmp", Bitmap(UnionFlag)) && Write(folder + "Russian.bmp", Bitmap(RussianFlag));
    return ok ? 0 : 1;
}
