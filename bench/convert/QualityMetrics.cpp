#include "QualityMetrics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

namespace bench_convert {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Lab {
    double l, a, b;
};

double ToLinear(double v)
{
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

const std::array<double, 256>& LinearTable()
{
    static const std::array<double, 256> table = [] {
        std::array<double, 256> t{};
        for (std::size_t i = 0; i < 256; ++i)
            t[i] = ToLinear(static_cast<double>(i) / 255.0);
        return t;
    }();
    return table;
}

// Linear RGB planes, blurred or not.
struct LinearPicture {
    int width = 0;
    int height = 0;
    std::vector<std::array<double, 3>> rgb;
};

LinearPicture ToLinearPicture(const logo::RgbaImage& image)
{
    const auto& lin = LinearTable();
    LinearPicture picture{image.width, image.height, {}};
    picture.rgb.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    for (std::size_t i = 0; i < picture.rgb.size(); ++i)
        picture.rgb[i] = {lin[image.rgba[i * 4]], lin[image.rgba[i * 4 + 1]], lin[image.rgba[i * 4 + 2]]};
    return picture;
}

LinearPicture Blurred(const LinearPicture& in)
{
    static constexpr std::array<double, 3> kWeights = {0.25, 0.5, 0.25};
    LinearPicture out = in;
    for (int y = 0; y < in.height; ++y) {
        for (int x = 0; x < in.width; ++x) {
            std::array<double, 3> sum{};
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = std::clamp(x + dx, 0, in.width - 1);
                    const int sy = std::clamp(y + dy, 0, in.height - 1);
                    const double w = kWeights[static_cast<std::size_t>(dx + 1)] * kWeights[static_cast<std::size_t>(dy + 1)];
                    const auto& p = in.rgb[static_cast<std::size_t>(sy) * static_cast<std::size_t>(in.width) + static_cast<std::size_t>(sx)];
                    for (std::size_t c = 0; c < 3; ++c)
                        sum[c] += w * p[c];
                }
            }
            out.rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(in.width) + static_cast<std::size_t>(x)] = sum;
        }
    }
    return out;
}

double LabF(double t)
{
    return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
}

Lab ToLab(const std::array<double, 3>& rgb)
{
    // sRGB primaries, D65 white.
    const double x = (0.4124564 * rgb[0] + 0.3575761 * rgb[1] + 0.1804375 * rgb[2]) / 0.95047;
    const double y = 0.2126729 * rgb[0] + 0.7151522 * rgb[1] + 0.0721750 * rgb[2];
    const double z = (0.0193339 * rgb[0] + 0.1191920 * rgb[1] + 0.9503041 * rgb[2]) / 1.08883;
    const double fx = LabF(x), fy = LabF(y), fz = LabF(z);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double Degrees(double radians)
{
    return radians * 180.0 / kPi;
}

double Radians(double degrees)
{
    return degrees * kPi / 180.0;
}

// CIEDE2000 with kL = kC = kH = 1 (Sharma, Wu and Dalal's formulation).
double Ciede2000(const Lab& p, const Lab& q)
{
    const double c1 = std::hypot(p.a, p.b), c2 = std::hypot(q.a, q.b);
    const double cMean = (c1 + c2) / 2;
    const double c7 = std::pow(cMean, 7);
    const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * p.a, a2 = (1 + g) * q.a;
    const double c1p = std::hypot(a1, p.b), c2p = std::hypot(a2, q.b);
    const auto hue = [](double b, double a) {
        if (a == 0 && b == 0)
            return 0.0;
        const double h = Degrees(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(p.b, a1), h2 = hue(q.b, a2);
    const double dL = q.l - p.l;
    const double dC = c2p - c1p;
    double dh = 0;
    if (c1p * c2p != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dH = 2 * std::sqrt(c1p * c2p) * std::sin(Radians(dh / 2));
    const double lMean = (p.l + q.l) / 2;
    const double cpMean = (c1p + c2p) / 2;
    double hMean = h1 + h2;
    if (c1p * c2p != 0) {
        if (std::fabs(h1 - h2) <= 180)
            hMean = (h1 + h2) / 2;
        else
            hMean = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(Radians(hMean - 30)) + 0.24 * std::cos(Radians(2 * hMean))
        + 0.32 * std::cos(Radians(3 * hMean + 6)) - 0.20 * std::cos(Radians(4 * hMean - 63));
    const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
    const double cp7 = std::pow(cpMean, 7);
    const double rc = 2 * std::sqrt(cp7 / (cp7 + std::pow(25.0, 7)));
    const double l50 = (lMean - 50) * (lMean - 50);
    const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sc = 1 + 0.045 * cpMean;
    const double sh = 1 + 0.015 * cpMean * t;
    const double rt = -std::sin(Radians(2 * dTheta)) * rc;
    const double tl = dL / sl, tc = dC / sc, th = dH / sh;
    return std::sqrt(tl * tl + tc * tc + th * th + rt * tc * th);
}

}  // namespace

double MeanCiede2000(const logo::RgbaImage& a, const logo::RgbaImage& b)
{
    const LinearPicture pa = Blurred(ToLinearPicture(a));
    const LinearPicture pb = Blurred(ToLinearPicture(b));
    double sum = 0;
    for (std::size_t i = 0; i < pa.rgb.size(); ++i)
        sum += Ciede2000(ToLab(pa.rgb[i]), ToLab(pb.rgb[i]));
    return pa.rgb.empty() ? 0 : sum / static_cast<double>(pa.rgb.size());
}

double LightnessSsim(const logo::RgbaImage& a, const logo::RgbaImage& b)
{
    const LinearPicture pa = ToLinearPicture(a);
    const LinearPicture pb = ToLinearPicture(b);
    std::vector<double> la(pa.rgb.size()), lb(pb.rgb.size());
    for (std::size_t i = 0; i < la.size(); ++i) {
        la[i] = ToLab(pa.rgb[i]).l;
        lb[i] = ToLab(pb.rgb[i]).l;
    }
    constexpr int kWindow = 8;
    constexpr int kStride = 4;
    constexpr double c1 = (0.01 * 100) * (0.01 * 100);
    constexpr double c2 = (0.03 * 100) * (0.03 * 100);
    double total = 0;
    int windows = 0;
    for (int y = 0; y + kWindow <= a.height; y += kStride) {
        for (int x = 0; x + kWindow <= a.width; x += kStride) {
            double ma = 0, mb = 0;
            for (int dy = 0; dy < kWindow; ++dy)
                for (int dx = 0; dx < kWindow; ++dx) {
                    const std::size_t i = static_cast<std::size_t>(y + dy) * static_cast<std::size_t>(a.width) + static_cast<std::size_t>(x + dx);
                    ma += la[i];
                    mb += lb[i];
                }
            constexpr double n = kWindow * kWindow;
            ma /= n;
            mb /= n;
            double va = 0, vb = 0, cov = 0;
            for (int dy = 0; dy < kWindow; ++dy)
                for (int dx = 0; dx < kWindow; ++dx) {
                    const std::size_t i = static_cast<std::size_t>(y + dy) * static_cast<std::size_t>(a.width) + static_cast<std::size_t>(x + dx);
                    va += (la[i] - ma) * (la[i] - ma);
                    vb += (lb[i] - mb) * (lb[i] - mb);
                    cov += (la[i] - ma) * (lb[i] - mb);
                }
            va /= n - 1;
            vb /= n - 1;
            cov /= n - 1;
            total += ((2 * ma * mb + c1) * (2 * cov + c2)) / ((ma * ma + mb * mb + c1) * (va + vb + c2));
            ++windows;
        }
    }
    return windows == 0 ? 1 : total / windows;
}

}  // namespace bench_convert
