#include "resources/DialogStyles.h"
#include "resources/DialogTemplates.h"
#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using namespace styles;

constexpr std::array kPreviewControls = {
    // Shows the edited picture unscaled and centred.
    ControlTemplate{IDC_PREVIEW_PICTURE, ControlClass::Static, "", 0, 0, 213, 246, SS_BITMAP | SS_CENTERIMAGE, 0},
};

constexpr platform::DialogTemplate kPreviewTemplate{IDD_PREVIEW, "Preview", 0, 0, 213, 246,
                                                    kCaptionedDialog | DS_CENTER, WS_EX_TOOLWINDOW, kFontName,
                                                    kFontPointSize, kPreviewControls};

}  // namespace

const platform::DialogTemplate& PreviewDialogTemplate()
{
    return kPreviewTemplate;
}

}  // namespace res
