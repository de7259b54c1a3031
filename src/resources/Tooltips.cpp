#include "resources/Tooltips.h"

#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

constexpr std::array kMainTips = {
    TooltipEntry{IDC_STARTUP, IDS_MAIN_TIP_STARTUP},
    TooltipEntry{IDC_PRESHUTDOWN, IDS_MAIN_TIP_PRESHUTDOWN},
    TooltipEntry{IDC_SHUTDOWN, IDS_MAIN_TIP_SHUTDOWN},
    TooltipEntry{IDC_APPLY, IDS_MAIN_TIP_APPLY},
    TooltipEntry{IDCANCEL, IDS_MAIN_TIP_CLOSE},
    TooltipEntry{IDC_BROWSE, IDS_MAIN_TIP_BROWSE},
    TooltipEntry{IDC_DEFAULT_LOGO, IDS_MAIN_TIP_DEFAULT_LOGO},
    TooltipEntry{IDC_NEW_LOGO, IDS_MAIN_TIP_NEW_LOGO},
    TooltipEntry{IDC_ANIMATE_LOGO, IDS_MAIN_TIP_ANIMATE_LOGO},
    TooltipEntry{IDC_SET_LOGO_EDITOR, IDS_MAIN_TIP_SET_LOGO_EDITOR},
    TooltipEntry{IDC_SAVE_LOGO, IDS_MAIN_TIP_SAVE_LOGO},
    TooltipEntry{IDC_HELP, IDS_MAIN_TIP_HELP},
    TooltipEntry{IDC_ABOUT, IDS_MAIN_TIP_ABOUT},
};

constexpr std::array kAnimTips = {
    TooltipEntry{IDCANCEL, IDS_ANIM_TIP_CLOSE},
    TooltipEntry{IDC_ANIM_RED, IDS_ANIM_TIP_RED},
    TooltipEntry{IDC_ANIM_GREEN, IDS_ANIM_TIP_GREEN},
    TooltipEntry{IDC_ANIM_BLUE, IDS_ANIM_TIP_BLUE},
    TooltipEntry{IDC_ANIM_COUNT, IDS_ANIM_TIP_COUNT},
    TooltipEntry{IDC_ANIM_CURRENT_COLOR, IDS_ANIM_TIP_CURRENT_COLOR},
    TooltipEntry{IDC_ANIM_COLOR_DIALOG, IDS_ANIM_TIP_COLOR_DIALOG},
    TooltipEntry{IDC_ANIM_PICK, IDS_ANIM_TIP_PICK},
    TooltipEntry{IDC_ANIM_PLACE, IDS_ANIM_TIP_PLACE},
    TooltipEntry{IDC_ANIM_REMOVE_UNUSED, IDS_ANIM_TIP_REMOVE_UNUSED},
    TooltipEntry{IDC_ANIM_SHOW_PREVIEW, IDS_ANIM_TIP_SHOW_PREVIEW},
    TooltipEntry{IDC_ANIM_COLOR_CHECK, IDS_ANIM_TIP_COLOR_CHECK},
    TooltipEntry{IDC_ANIM_SAVE_AS, IDS_ANIM_TIP_SAVE_AS},
    TooltipEntry{IDC_ANIM_ANIMATE, IDS_ANIM_TIP_ANIMATE},
    TooltipEntry{IDC_ANIM_ANIMATED_BAR, IDS_ANIM_TIP_ANIMATED_BAR},
    TooltipEntry{IDC_ANIM_REVERSE, IDS_ANIM_TIP_REVERSE},
};

constexpr std::array kConvertTips = {
    TooltipEntry{IDC_CONVERT_SOURCE, IDS_CONVERT_TIP_SOURCE},
    TooltipEntry{IDC_CONVERT_RESULT, IDS_CONVERT_TIP_RESULT},
    TooltipEntry{IDC_CONVERT_FIT, IDS_CONVERT_TIP_FIT},
    TooltipEntry{IDC_CONVERT_FILL, IDS_CONVERT_TIP_FILL},
    TooltipEntry{IDC_CONVERT_STRETCH, IDS_CONVERT_TIP_STRETCH},
    TooltipEntry{IDC_CONVERT_DITHER, IDS_CONVERT_TIP_DITHER},
    TooltipEntry{IDC_CONVERT_RESERVED, IDS_CONVERT_TIP_RESERVED},
    TooltipEntry{IDC_CONVERT_FILL_COLOR, IDS_CONVERT_TIP_FILL_COLOR},
    TooltipEntry{IDOK, IDS_CONVERT_TIP_OK},
    TooltipEntry{IDCANCEL, IDS_CONVERT_TIP_CANCEL},
};

}  // namespace

std::span<const TooltipEntry> ConvertDialogTooltips()
{
    return kConvertTips;
}

std::span<const TooltipEntry> MainDialogTooltips()
{
    return kMainTips;
}

std::span<const TooltipEntry> AnimDialogTooltips()
{
    return kAnimTips;
}

std::optional<UINT> TooltipStringFor(std::span<const TooltipEntry> table, int controlId)
{
    for (const TooltipEntry& entry : table) {
        if (entry.controlId == controlId)
            return entry.stringId;
    }
    return std::nullopt;
}

}  // namespace res
