// lumivane_icon: writes the applet's icon as a PNG, for the desktop's icon
// theme. Sizes the icon group carries (16, 32, 48) come from the same
// resource blob the module carries (the deepest image of that size); larger
// ones are drawn from the same design in true colour.
//
//   lumivane_icon SIZE OUT.png

#include "host/AppletIcon.h"
#include "platform/modres/ResourceBlob.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"
#include "resources/art/AppletIcon.h"

#include <QCoreApplication>
#include <QImage>

#include <iostream>
#include <string>

namespace {

constexpr int kLargestDrawn = 1024;

QImage DrawnImage(int size)
{
    const res::art::RgbaIcon icon = res::art::RenderLargeAppletIcon(size);
    const QImage view(icon.rgba.data(), icon.size, icon.size, icon.size * 4, QImage::Format_RGBA8888);
    return view.copy();  // the view does not own the pixels
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: lumivane_icon SIZE OUT.png\n";
        return 2;
    }
    QCoreApplication application(argc, argv);
    const int size = std::atoi(argv[1]);
    const platform::ResourceBlob blob(res::ModuleResourceBlob());
    const auto ico = blob.Find(platform::ResourceType::Icon, static_cast<std::uint16_t>(res::IDI_APPLET));
    QImage image = host::IcoImage(ico, size);
    if (image.isNull() && size > 48 && size <= kLargestDrawn)
        image = DrawnImage(size);
    if (image.isNull()) {
        std::cerr << "lumivane_icon: the icon has no " << size << " x " << size << " image\n";
        return 1;
    }
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::cerr << "lumivane_icon: cannot write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
