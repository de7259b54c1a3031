// The floor for lumivane --screenshot: the least any Qt program here does to
// show a 600 x 388 dialog, let it paint for the same settle time, grab it to
// a PNG and close it. screenshot_ratio.sh compares lumivane against it.
//
//   qt_floor_dialog OUT.png [SETTLE_MS]   (SETTLE_MS defaults to lumivane's 400)

#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qt_floor_dialog OUT.png [SETTLE_MS]\n");
        return 2;
    }
    const QString png = QString::fromLocal8Bit(argv[1]);
    const int settleMs = argc > 2 ? std::atoi(argv[2]) : 400;
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Lumivane"));
    dialog.setFixedSize(600, 388);
    bool saved = false;
    QTimer::singleShot(0, &dialog, [&] {
        QTimer::singleShot(settleMs, &dialog, [&] {
            saved = dialog.grab().save(png, "PNG");
            dialog.reject();
        });
    });
    dialog.exec();
    return saved ? 0 : 1;
}
