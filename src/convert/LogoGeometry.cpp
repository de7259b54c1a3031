#include "convert/LogoGeometry.h"

#include "logo/Picture.h"

#include <algorithm>
#include <cmath>

namespace convert {

namespace {

constexpr double kScreenAspect = 4.0 / 3.0;  // wide : tall, as the logo is seen

// A run of at least one logo pixel, centred in `whole`.
void Centre(int whole, double exact, int& start, int& length)
{
    length = std::clamp(static_cast<int>(std::lround(exact)), 1, whole);
    start = (whole - length) / 2;
}

}  // namespace

Placement PlacePicture(int width, int height, Geometry geometry)
{
    Placement placement;
    placement.source = {0, 0, static_cast<double>(width), static_cast<double>(height)};
    placement.target = {0, 0, logo::kLogoWidth, logo::kLogoHeight};
    const double aspect = static_cast<double>(width) / height;

    if (geometry == Geometry::Fit) {
        LogoRect& target = placement.target;
        if (aspect > kScreenAspect)
            Centre(logo::kLogoHeight, logo::kLogoHeight * kScreenAspect / aspect, target.top, target.height);
        else
            Centre(logo::kLogoWidth, logo::kLogoWidth * aspect / kScreenAspect, target.left, target.width);
    } else if (geometry == Geometry::Fill) {
        SourceRegion& source = placement.source;
        if (aspect > kScreenAspect) {
            const double kept = height * kScreenAspect;
            source.left = (width - kept) / 2;
            source.right = source.left + kept;
        } else {
            const double kept = width / kScreenAspect;
            source.top = (height - kept) / 2;
            source.bottom = source.top + kept;
        }
    }
    return placement;
}

}  // namespace convert
