#include "moonphase.h"

#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace velorin {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSubsamples = 4; // per pixel side, for smooth edges

struct Rgb {
    double r, g, b;
};

constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kLit{242, 234, 206};
constexpr Rgb kDark{64, 70, 86};
constexpr Rgb kRim{150, 150, 160};

// The large dark plains of the near side, in units of the disc's radius
// (x to the right, y downwards): centre, radius and how much they darken.
struct Mare {
    double x, y, radius, depth;
};
constexpr std::array<Mare, 14> kMaria{{
    {-0.38, -0.38, 0.26, 0.17}, // Imbrium
    {-0.20, -0.22, 0.16, 0.14},
    {0.12, -0.36, 0.18, 0.17}, // Serenitatis
    {0.30, -0.10, 0.20, 0.16}, // Tranquillitatis
    {0.18, 0.05, 0.12, 0.12},
    {-0.60, -0.05, 0.24, 0.14}, // Procellarum
    {-0.52, 0.20, 0.22, 0.13},
    {-0.70, -0.30, 0.16, 0.12},
    {0.68, -0.30, 0.11, 0.19}, // Crisium
    {-0.18, 0.40, 0.18, 0.12}, // Nubium
    {0.52, 0.20, 0.14, 0.14},  // Fecunditatis
    {0.36, 0.40, 0.10, 0.11},  // Nectaris
    {-0.44, 0.56, 0.10, 0.11}, // Humorum
    {0.05, -0.62, 0.16, 0.10}, // Frigoris
}};

double smoothstep(double edge0, double edge1, double x) {
    double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// How much the surface at (u, v) is darkened by the maria, 0..1.
double mariaShade(double u, double v) {
    double shade = 0;
    for (const Mare& m : kMaria) {
        double d = std::hypot(u - m.x, v - m.y) / m.radius;
        shade = std::max(shade, m.depth * (1 - smoothstep(0.3, 1.0, d)));
    }
    return shade;
}

Rgb scaled(Rgb c, double f) {
    return {c.r * f, c.g * f, c.b * f};
}

// The colour at a point of the picture, in pixels from its centre.
Rgb sample(double x, double y, double radius, double cosAngle, bool waxing, double rimWidth) {
    const double d = std::hypot(x, y);
    if (d > radius)
        return kBackground;
    if (d > radius - rimWidth)
        return kRim;
    // The terminator is half an ellipse: at height y it crosses the disc at
    // cos(angle) times the half-width of the disc there.
    const double halfWidth = std::sqrt(radius * radius - y * y);
    const bool lit = waxing ? x > cosAngle * halfWidth : x < -cosAngle * halfWidth;
    const double u = x / radius, v = y / radius;
    const double shade = mariaShade(u, v);
    if (!lit)
        return scaled(kDark, 1 - shade * 0.35);
    // Limb darkening: the edge of the disc a little dimmer than its centre.
    const double mu = std::sqrt(std::max(0.0, 1 - (u * u + v * v)));
    return scaled(kLit, (0.84 + 0.16 * mu) * (1 - shade));
}

} // namespace

std::vector<unsigned char> renderMoonPhase(int angle, int size) {
    std::vector<unsigned char> rgb(size_t(std::max(size, 0)) * size_t(std::max(size, 0)) * 3);
    if (size <= 0)
        return rgb;
    const int a = ((angle % 360) + 360) % 360;
    const bool waxing = a <= 180 && angle != 360;
    const double cosAngle = std::cos(a * kPi / 180);
    const double radius = size * 0.45;
    const double rimWidth = std::max(1.0, size / 72.0);
    const double centre = size / 2.0;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Rgb sum{0, 0, 0};
            for (int sy = 0; sy < kSubsamples; ++sy) {
                for (int sx = 0; sx < kSubsamples; ++sx) {
                    const double x = px + (sx + 0.5) / kSubsamples - centre;
                    const double y = py + (sy + 0.5) / kSubsamples - centre;
                    const Rgb c = sample(x, y, radius, cosAngle, waxing, rimWidth);
                    sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                }
            }
            const double n = kSubsamples * kSubsamples;
            unsigned char* out = &rgb[(size_t(py) * size_t(size) + size_t(px)) * 3];
            out[0] = (unsigned char)std::lround(std::clamp(sum.r / n, 0.0, 255.0));
            out[1] = (unsigned char)std::lround(std::clamp(sum.g / n, 0.0, 255.0));
            out[2] = (unsigned char)std::lround(std::clamp(sum.b / n, 0.0, 255.0));
        }
    }
    return rgb;
}

bool writeMoonPhaseJpeg(int angle, const std::string& path, std::string& error) {
    const int size = kPhasePictureSize;
    std::vector<unsigned char> rgb = renderMoonPhase(angle, size);
    tjhandle handle = tjInitCompress();
    if (!handle) {
        error = "a JPEG-tömörítő nem indult el";
        return false;
    }
    unsigned char* jpeg = nullptr;
    unsigned long jpegSize = 0;
    const int rc = tjCompress2(handle, rgb.data(), size, 0, size, TJPF_RGB, &jpeg, &jpegSize,
                               TJSAMP_444, 90, 0);
    if (rc != 0) {
        error = std::string("a JPEG-tömörítés nem sikerült: ") + tjGetErrorStr2(handle);
        tjFree(jpeg);
        tjDestroy(handle);
        return false;
    }
    const std::string temporary = path + ".tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    bool ok = f != nullptr;
    if (ok)
        ok = std::fwrite(jpeg, 1, jpegSize, f) == jpegSize;
    if (f)
        ok = std::fclose(f) == 0 && ok;
    tjFree(jpeg);
    tjDestroy(handle);
    std::error_code ec;
    if (ok)
        std::filesystem::rename(temporary, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(temporary, ec);
        error = "nem sikerült írni: " + path;
        return false;
    }
    return true;
}

} // namespace velorin
