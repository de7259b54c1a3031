#pragma once
// --screenshot: the host cannot reach the module's dialog objects (the
// module exports CPlApplet only), but both share one QApplication. So the
// host watches for the main dialog's window to be shown, lets it paint for
// a few animation ticks, grabs its client area to a PNG and closes it as
// the Close button would.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace host {

class ScreenshotCapture : public QObject {
public:
    // Watches for a top-level dialog titled dialogTitle.
    ScreenshotCapture(QString pngPath, QString dialogTitle, int settleMs);
    ~ScreenshotCapture() override;

    bool Saved() const { return m_saved; }
    // Why nothing was saved, once the dialog has come and gone.
    QString Error() const { return m_error; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Capture();

    QString m_pngPath;
    QString m_dialogTitle;
    int m_settleMs;
    QPointer<QWidget> m_dialog;
    bool m_saved = false;
    QString m_error;
};

}  // namespace host
