// The Win32 build has no libimagequant (Debian builds it for Linux only), so
// the colour reduction refuses; ConvertToLogo passes the reason on and makes
// no logo.

#include "convert/VgaQuantizer.h"

namespace convert {

QuantizedPicture QuantizeForVga(const logo::RgbaImage& /*opaque*/, Rgb /*fill*/, int /*maxColors*/, float /*dither*/)
{
    QuantizedPicture refused;
    refused.reason = "converting pictures is not available in this build of Lumivane";
    return refused;
}

}  // namespace convert
