#pragma once
// A plain top-level window that shows one true-colour picture and a status
// line under it. The picture keeps its proportions: at its own size in a
// window that fits it, scaled (nearest neighbour) and centred on the border
// colour when the window is larger. F11 and a double click switch full
// screen; Escape leaves full screen, and closes the window when it is not.
// The window's layout comes from a template whose one control is the
// status line, which grows by whole lines until its text fits.

#include "logo/RgbImage.h"
#include "platform/ui/CDialog.h"

#include <string>

namespace platform {

class CPictureWnd : public CDialog {
public:
    // The command F11 sends; free for no other use in a derived window.
    static constexpr int kFullScreenCommand = 0x7F01;

    CPictureWnd(const DialogTemplate& dialogTemplate, int statusControlId, CWnd* parent = nullptr);

    // Shows picture from the next paint on (the window keeps its own copy).
    void SetPicture(logo::RgbImage picture);
    const logo::RgbImage& Picture() const { return m_picture; }
    // What fills the window around the picture.
    void SetBorderColor(COLORREF color);
    void SetStatusText(const std::string& text);

    void ToggleFullScreen();
    bool InFullScreen() const;
    // Where the picture is drawn now, in client coordinates.
    RECT PictureRect() const;

protected:
    // Sizes the window to the picture given so far (SetPicture before) plus
    // the status line with the text given so far (SetStatusText before), and
    // installs the F11 accelerator.
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void OnPaint() override;
    const MessageMapBase* GetMessageMap() const override;

private:
    void OnFullScreenCommand();
    void OnDoubleClick(UINT keyFlags, CPoint point);
    // Puts the status line along the bottom of the client area as it is now.
    void Layout();
    // The status line's height at a width: at least the template's.
    int StatusHeightAt(const CWnd& status, int width);

    int m_statusControlId;
    // The status line's height in the template (0 until first needed).
    int m_statusTemplateHeight = 0;
    int m_statusMeasuredWidth = -1;
    int m_statusMeasuredHeight = 0;
    logo::RgbImage m_picture;
    COLORREF m_borderColor = RGB(0, 0, 0);
};

}  // namespace platform
