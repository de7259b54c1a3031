// lumivane_icon: writes the applet's icon (group IDI_APPLET, the deepest
// image of the size asked) as a PNG, for the desktop's icon theme. Runs at
// build time from the same resource blob the module carries.
//
//   lumivane_icon SIZE OUT.png

#include "host/AppletIcon.h"
#include "platform/modres/ResourceBlob.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"

#include <QCoreApplication>
#include <QImage>

#include <iostream>
#include <string>

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
    const QImage image = host::IcoImage(ico, size);
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
