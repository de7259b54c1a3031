#pragma once
// The help viewer window: a text browser showing one help file.

#include <QString>
#include <QWidget>

class QKeyEvent;
class QTextBrowser;

namespace platform {

class HelpViewer : public QWidget {
public:
    explicit HelpViewer(QWidget* parent);

    // Shows Markdown text from the top.
    void ShowText(const QString& markdown, const QString& hostPath);

    QString PlainText() const;
    const QString& HostPath() const { return m_hostPath; }

protected:
    // Escape closes the viewer, as it closes a help window on Windows.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* m_browser;
    QString m_hostPath;
};

}  // namespace platform
