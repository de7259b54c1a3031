#include "platform/qt/CaptionBar.h"
#include "platform/qt/EdgePainter.h"
#include "platform/ui/UiConstants.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QWindow>

#include <array>

namespace platform::detail {

namespace {

constexpr int kBarHeight = 18;
constexpr int kSmallBarHeight = 14;
// Room around the icon, the text and the button.
constexpr int kInset = 2;

// The close button's cross, one string a row, for the two caption sizes.
constexpr std::array<const char*, 7> kCross = {
    "##    ##", " ##  ## ", "  ####  ", "   ##   ", "  ####  ", " ##  ## ", "##    ##",
};
constexpr std::array<const char*, 5> kSmallCross = {
    "##  ##", " #### ", "  ##  ", " #### ", "##  ##",
};

class CaptionButton final : public QAbstractButton {
public:
    CaptionButton(QWidget* parent, bool small) : QAbstractButton(parent), m_small(small)
    {
        // The keyboard keeps to the dialog's controls.
        setFocusPolicy(Qt::NoFocus);
        setAccessibleName(QStringLiteral("Close"));
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter p(this);
        p.fillRect(rect(), ToQColor(GetSysColor(COLOR_BTNFACE)));
        const bool pushed = isDown();
        PaintButtonEdge(p, rect(), pushed);
        const auto paintCross = [&](const auto& rows) {
            const int width = static_cast<int>(std::char_traits<char>::length(rows[0]));
            const int height = static_cast<int>(rows.size());
            const int left = (this->width() - width) / 2 + (pushed ? 1 : 0);
            const int top = (this->height() - height) / 2 + (pushed ? 1 : 0);
            const QColor ink = ToQColor(GetSysColor(COLOR_BTNTEXT));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    if (rows[static_cast<std::size_t>(y)][x] == '#')
                        p.fillRect(left + x, top + y, 1, 1, ink);
        };
        if (m_small)
            paintCross(kSmallCross);
        else
            paintCross(kCross);
    }

private:
    bool m_small;
};

}  // namespace

int CaptionBar::BarHeight() const
{
    return m_small ? kSmallBarHeight : kBarHeight;
}

CaptionBar::CaptionBar(QWidget* window, bool small)
    : QWidget(window), m_close(new CaptionButton(this, small)), m_small(small)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    // As the window system's close box: the window decides what closing means.
    connect(m_close, &QAbstractButton::clicked, window, [window] { window->close(); });
    // And the system menu's key for it, which a compositor may leave to us.
    auto* closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), window);
    connect(closeKey, &QShortcut::activated, window, [window] { window->close(); });
    window->installEventFilter(this);
}

bool CaptionBar::eventFilter(QObject* /*watched*/, QEvent* event)
{
    switch (event->type()) {
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        update();
        break;
    default:
        break;
    }
    return false;
}

void CaptionBar::resizeEvent(QResizeEvent* /*event*/)
{
    // The button is as high as the bar less its margins, two pixels wider.
    const int buttonHeight = height() - 2 * kInset;
    const int buttonWidth = buttonHeight + 2;
    m_close->setGeometry(width() - kInset - buttonWidth, kInset, buttonWidth, buttonHeight);
}

void CaptionBar::paintEvent(QPaintEvent* /*event*/)
{
    const QWidget* owner = window();
    const bool active = owner->isActiveWindow();
    QPainter p(this);
    QLinearGradient gradient(0, 0, width(), 0);
    gradient.setColorAt(0, ToQColor(GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)));
    gradient.setColorAt(1, ToQColor(GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION)));
    p.fillRect(rect(), gradient);
    int left = kInset;
    // A window shows its own icon (the application's is not its own).
    if (!m_small && owner->testAttribute(Qt::WA_SetWindowIcon) && !owner->windowIcon().isNull()) {
        const int side = height() - 2;
        owner->windowIcon().paint(&p, QRect(left, 1, side, side));
        left += side + kInset;
    }
    QFont font = owner->font();
    font.setBold(!m_small);
    p.setFont(font);
    p.setPen(ToQColor(GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT)));
    const QRect text(left, 0, std::max(m_close->x() - kInset - left, 0), height());
    const QString title = QFontMetrics(font).elidedText(owner->windowTitle(), Qt::ElideRight, text.width());
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);
}

void CaptionBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (QWindow* handle = window()->windowHandle()) {
        // The compositor follows the pointer from the press it last saw.
        handle->startSystemMove();
        ++m_movesRequested;
    }
}

}  // namespace platform::detail
