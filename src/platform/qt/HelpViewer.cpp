#include "platform/qt/HelpViewer.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace platform {

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Lumivane Help"));
    resize(520, 560);

    // Links are followed by hand: only web and mail addresses leave the
    // viewer, and never as a file path the browser would try to load.
    m_browser->setOpenLinks(false);
    QObject::connect(m_browser, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
        const QString scheme = url.scheme();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto"))
            QDesktopServices::openUrl(url);
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
}

void HelpViewer::ShowText(const QString& markdown, const QString& hostPath)
{
    m_hostPath = hostPath;
    m_browser->setMarkdown(markdown);
    m_browser->moveCursor(QTextCursor::Start);
    m_browser->ensureCursorVisible();
}

void HelpViewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString HelpViewer::PlainText() const
{
    return m_browser->toPlainText();
}

}  // namespace platform
