#pragma once
// Text statics (SS_LEFT, SS_CENTER, SS_RIGHT): word-wrapped text from the
// top, the & mnemonic moving the focus to the next control.

#include "platform/qt/WindowFace.h"
#include "platform/ui/DialogTemplate.h"

#include <QLabel>

namespace platform::detail {

class LabelWidget : public QLabel, public WindowFace {
public:
    LabelWidget(const ControlTemplate& tpl, QWidget* parent);

    // The caption as the applet set it (ampersands kept).
    void SetCaption(const QString& text);
    QString Caption() const { return m_caption; }

    QString WindowText() const override { return Caption(); }
    void SetWindowText(const QString& text) override { SetCaption(text); }
    QRect ClientArea() const override { return contentsRect(); }
    // The control that the mnemonic focuses; nullptr shows the caption
    // without mnemonic marks.
    void SetMnemonicTarget(QWidget* target);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Refresh();

    DWORD m_edgeStyle;
    DWORD m_exStyle;
    bool m_noPrefix;
    QString m_caption;
    QWidget* m_target = nullptr;
};

}  // namespace platform::detail
