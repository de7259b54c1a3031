#include "platform/ui/DropTarget.h"

#include "platform/qt/HwndWidget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QMimeData>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <optional>

namespace platform {

namespace {

std::optional<std::string> FirstLocalFile(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls())
        return std::nullopt;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile().toStdString();
    }
    return std::nullopt;
}

// Watches the dialog's widget, which Qt hands every drag event first.
class FileDropFilter : public QObject {
public:
    FileDropFilter(QWidget* window, FileDropHandler handler) : QObject(window), m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (FirstLocalFile(drag->mimeData()))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const std::optional<std::string> path = FirstLocalFile(drop->mimeData());
            if (!path) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            // After the drop event returns: the handler may run a modal loop.
            QPointer<FileDropFilter> self(this);
            QMetaObject::invokeMethod(
                this,
                [self, path = *path] {
                    if (self)
                        self->m_handler(path);
                },
                Qt::QueuedConnection);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    FileDropHandler m_handler;
};

}  // namespace

bool AcceptFileDrops(CWnd& window, FileDropHandler handler)
{
    QWidget* widget = WidgetFromHwnd(window.GetSafeHwnd());
    if (widget == nullptr)
        return false;
    widget->setAcceptDrops(true);
    widget->installEventFilter(new FileDropFilter(widget, std::move(handler)));
    return true;
}

}  // namespace platform
