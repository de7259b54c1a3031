#include "host/ScreenshotCapture.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPixmap>
#include <QTimer>

namespace host {

ScreenshotCapture::ScreenshotCapture(QString pngPath, QString dialogTitle, int settleMs)
    : m_pngPath(std::move(pngPath)), m_dialogTitle(std::move(dialogTitle)), m_settleMs(settleMs),
      m_error(QStringLiteral("the applet showed no dialog titled \"%1\"").arg(m_dialogTitle))
{
    qApp->installEventFilter(this);
}

ScreenshotCapture::~ScreenshotCapture()
{
    qApp->removeEventFilter(this);
}

bool ScreenshotCapture::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && m_dialog.isNull() && !m_saved) {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog != nullptr && dialog->isWindow() && dialog->windowTitle() == m_dialogTitle) {
            m_dialog = dialog;
            QTimer::singleShot(m_settleMs, this, [this] { Capture(); });
        }
    }
    return QObject::eventFilter(watched, event);
}

void ScreenshotCapture::Capture()
{
    if (m_dialog.isNull()) {
        m_error = QStringLiteral("the dialog closed before it could be captured");
        return;
    }
    // A nested dialog may be open on top; the picture is of the main one.
    // Its client area, as on X: without a frame and caption it draws itself.
    const QPixmap picture = m_dialog->grab(m_dialog->contentsRect());
    if (picture.isNull() || !picture.save(m_pngPath, "PNG")) {
        m_error = QStringLiteral("cannot write %1").arg(m_pngPath);
    } else {
        m_saved = true;
        m_error.clear();
    }
    // As the Close button (IDCANCEL) does.
    if (auto* dialog = qobject_cast<QDialog*>(m_dialog.data()))
        dialog->reject();
}

}  // namespace host
