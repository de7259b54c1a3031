#include "platform/testing/FileDropTesting.h"

#include "platform/qt/HwndWidget.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace platform::testing {

bool DropFile(CWnd& window, const std::string& hostPath)
{
    QWidget* widget = WidgetFromHwnd(window.GetSafeHwnd());
    if (widget == nullptr)
        return false;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(hostPath))});
    const QPoint centre = widget->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &drop);
    // The handler runs once the drop is over, from the event loop.
    QApplication::sendPostedEvents();
    QApplication::processEvents();
    return drop.isAccepted();
}

}  // namespace platform::testing
