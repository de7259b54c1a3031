#pragma once
// The SS_BITMAP static: shows a picture centred at its own size on the
// dialog face. It keeps a pointer to the caller's picture (or owns the
// bitmap named in the template) and composes it into its buffer when
// marked, so a changed colour table costs one composition, no copy.

#include "platform/ui/PixelBuffer.h"
#include "platform/qt/StaticBase.h"
#include "platform/qt/SurfaceProvider.h"

#include "logo/Picture.h"

#include <optional>

namespace platform::detail {

class PictureWidget : public StaticBase, public SurfaceProvider {
public:
    PictureWidget(const ControlTemplate& tpl, QWidget* parent);

    const logo::Picture* SetPicture(const logo::Picture* picture);
    const logo::Picture* Picture() const { return m_shown; }
    // The bitmap the template names, owned by the control.
    void SetOwnedPicture(logo::Picture picture);

    PixelBuffer& Buffer() override { return m_buffer; }
    void RenderIfDirty() override;
    void MarkDirty() override;
    COLORREF ReadShownPixel(int x, int y) override;

protected:
    void PaintClient(QPainter& painter, const QRect& client) override;

private:
    const logo::Picture* m_shown = nullptr;
    std::optional<logo::Picture> m_owned;
    PixelBuffer m_buffer;
    bool m_dirty = true;
};

}  // namespace platform::detail
