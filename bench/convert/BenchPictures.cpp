#include "BenchPictures.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace bench_convert {

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

logo::RgbaImage FromQImage(QImage image)
{
    image.convertTo(QImage::Format_RGBA8888);
    logo::RgbaImage out;
    out.width = image.width();
    out.height = image.height();
    const std::size_t row = static_cast<std::size_t>(out.width) * 4;
    out.rgba.resize(row * static_cast<std::size_t>(out.height));
    for (int y = 0; y < out.height; ++y)
        std::memcpy(out.rgba.data() + row * static_cast<std::size_t>(y), image.constScanLine(y), row);
    return out;
}

QImage ToQImage(const logo::RgbaImage& image)
{
    QImage out(image.width, image.height, QImage::Format_RGBA8888);
    const std::size_t row = static_cast<std::size_t>(image.width) * 4;
    for (int y = 0; y < image.height; ++y)
        std::memcpy(out.scanLine(y), image.rgba.data() + row * static_cast<std::size_t>(y), row);
    return out;
}

double ToLinear(std::uint8_t code)
{
    const double v = code / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

std::uint8_t ToCode(double linear)
{
    const double v = linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

// Area averaging in linear light: each output pixel gets the light of the
// part of the input it covers. The measuring model, independent of the
// converter's own resampler.
logo::RgbaImage AreaAverage(const logo::RgbaImage& image, int width, int height)
{
    const double sx = static_cast<double>(image.width) / width;
    const double sy = static_cast<double>(image.height) / height;
    logo::RgbaImage out;
    out.width = width;
    out.height = height;
    out.rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum[3] = {0, 0, 0};
            double weight = 0;
            const double x0 = x * sx, x1 = (x + 1) * sx, y0 = y * sy, y1 = (y + 1) * sy;
            for (int iy = static_cast<int>(y0); iy < std::min(image.height, static_cast<int>(std::ceil(y1))); ++iy) {
                const double wy = std::min<double>(iy + 1, y1) - std::max<double>(iy, y0);
                for (int ix = static_cast<int>(x0); ix < std::min(image.width, static_cast<int>(std::ceil(x1))); ++ix) {
                    const double w = wy * (std::min<double>(ix + 1, x1) - std::max<double>(ix, x0));
                    const std::uint8_t* p = image.rgba.data() + (static_cast<std::size_t>(iy) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(ix)) * 4;
                    for (int c = 0; c < 3; ++c)
                        sum[c] += w * ToLinear(p[c]);
                    weight += w;
                }
            }
            std::uint8_t* q = out.rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
            for (int c = 0; c < 3; ++c)
                q[c] = ToCode(sum[c] / weight);
            q[3] = 255;
        }
    }
    return out;
}

}  // namespace

logo::RgbaImage MakeGradients(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(10, 20, 70));
    sky.setColorAt(0.6, QColor(230, 120, 60));
    sky.setColorAt(1, QColor(250, 220, 160));
    painter.fillRect(image.rect(), sky);
    QRadialGradient sun(width * 0.7, height * 0.55, height * 0.35);
    sun.setColorAt(0, QColor(255, 250, 210, 255));
    sun.setColorAt(1, QColor(255, 200, 120, 0));
    painter.fillRect(image.rect(), sun);
    QLinearGradient grey(0, 0, width, 0);
    grey.setColorAt(0, Qt::black);
    grey.setColorAt(1, Qt::white);
    painter.fillRect(QRectF(0, height * 0.85, width, height * 0.15), grey);
    painter.end();
    return FromQImage(image);
}

logo::RgbaImage MakeFlatArt(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(240, 232, 200));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor colours[] = {{200, 30, 40}, {20, 90, 170}, {250, 190, 20}, {30, 140, 70}, {90, 40, 120}};
    for (int i = 0; i < 12; ++i) {
        painter.setBrush(colours[i % 5]);
        const double cx = width * (0.1 + 0.08 * i), cy = height * (0.2 + 0.05 * ((i * 7) % 12));
        if (i % 3 == 0) {
            painter.drawEllipse(QPointF(cx, cy), width * 0.09, width * 0.09);
        } else if (i % 3 == 1) {
            painter.drawRect(QRectF(cx - width * 0.07, cy - height * 0.05, width * 0.14, height * 0.1));
        } else {
            painter.drawPolygon(QPolygonF({QPointF(cx, cy - height * 0.1), QPointF(cx + width * 0.08, cy + height * 0.07),
                                           QPointF(cx - width * 0.08, cy + height * 0.07)}));
        }
    }
    painter.setPen(QPen(QColor(20, 20, 20), width / 200.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(width * 0.05, height * 0.05, width * 0.9, height * 0.9), 30, 30);
    painter.end();
    return FromQImage(image);
}

logo::RgbaImage MakeText(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont heading("DejaVu Sans", 1);
    heading.setPixelSize(height / 10);
    heading.setBold(true);
    painter.setFont(heading);
    painter.setPen(QColor(0, 70, 160));
    painter.drawText(QRectF(0, 0, width, height * 0.2), Qt::AlignCenter, QStringLiteral("Starting Windows 95"));
    QFont body("DejaVu Serif", 1);
    body.setPixelSize(height / 26);
    painter.setFont(body);
    painter.setPen(QColor(30, 30, 30));
    const QString paragraph = QStringLiteral(
        "The quick brown fox jumps over the lazy dog. Pack my box with five dozen liquor jugs. "
        "How vexingly quick daft zebras jump! Sphinx of black quartz, judge my vow. ");
    painter.drawText(QRectF(width * 0.06, height * 0.22, width * 0.88, height * 0.74), Qt::TextWordWrap,
                     paragraph + paragraph + paragraph + paragraph);
    painter.end();
    return FromQImage(image);
}

std::optional<logo::RgbaImage> MakePhotoTexture(int width, int height, const std::string& folder)
{
    const std::string path = folder + "/photo-texture.png";
    const std::string command = "convert -size " + std::to_string(width) + "x" + std::to_string(height)
        + " -seed 7 plasma:fractal -blur 0x2 '" + path + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return std::nullopt;
    QImage image(QString::fromStdString(path));
    if (image.isNull())
        return std::nullopt;
    return FromQImage(image);
}

bool SavePicture(const logo::RgbaImage& image, const std::string& path, const char* format, int quality)
{
    return ToQImage(image).save(QString::fromStdString(path), format, quality);
}

logo::RgbaImage LogoPixels(const logo::LogoImage& image)
{
    logo::RgbaImage out;
    out.width = image.width;
    out.height = image.height;
    out.rgba.reserve(image.pixels.size() * 4);
    for (const std::uint8_t index : image.pixels) {
        const logo::RgbQuad& entry = image.colorTable[index];
        out.rgba.insert(out.rgba.end(), {entry.red, entry.green, entry.blue, 255});
    }
    return out;
}

logo::RgbaImage ShownOnScreen(const logo::RgbaImage& logoPixels)
{
    logo::RgbaImage dac = logoPixels;
    for (std::size_t i = 0; i < dac.rgba.size(); ++i) {
        if (i % 4 != 3)
            dac.rgba[i] = static_cast<std::uint8_t>(std::lround((dac.rgba[i] >> 2) * 255.0 / 63.0));
    }
    return AreaAverage(dac, kScreenWidth, kScreenHeight);
}

logo::RgbaImage IdealScreen(const logo::RgbaImage& source)
{
    return AreaAverage(source, kScreenWidth, kScreenHeight);
}

}  // namespace bench_convert
