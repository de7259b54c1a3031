#include "resources/StringTable.h"

#include "resources/ResourceIds.h"

#include <array>

namespace res {

namespace {

// Texts exactly as the applet has always shown them, spelling included.
constexpr std::array kStrings = {
    StringResource{IDS_APPLET_NAME, "Lumivane"},
    StringResource{IDS_APPLET_DESCRIPTION, "Change the windows startup & shutdown screens"},

    // Animation Options tooltips.
    StringResource{IDS_ANIM_TIP_PICK, "Selects a color from the image as the current color"},
    StringResource{IDS_ANIM_TIP_PLACE, "Places the current color into the color-palette"},
    StringResource{IDS_ANIM_TIP_SHOW_PREVIEW, "Shows/Hides the preview window"},
    StringResource{IDS_ANIM_TIP_COLOR_CHECK, "Checks weather the current color is already in the color-palette"},
    StringResource{IDS_ANIM_TIP_COLOR_DIALOG, "Displays the color dialog"},
    StringResource{IDS_ANIM_TIP_REMOVE_UNUSED, "Removes unwanted colors from the color-palette"},
    StringResource{IDS_ANIM_TIP_CLOSE, "Closes this dialog"},
    StringResource{IDS_ANIM_TIP_SAVE_AS, "Saves the image to disk"},
    StringResource{IDS_ANIM_TIP_ANIMATE, "Animates the image"},
    StringResource{IDS_ANIM_TIP_BLUE, "Displays the Blue component of the current color"},
    StringResource{IDS_ANIM_TIP_RED, "Displays the Red component of the current color"},
    StringResource{IDS_ANIM_TIP_GREEN, "Displays the Green component of the current color"},
    StringResource{IDS_ANIM_TIP_CURRENT_COLOR, "Displays the current color"},
    StringResource{IDS_ANIM_TIP_COUNT, "Displays the number of entries you want to animate (2 to 255)"},

    // Main dialog tooltips.
    StringResource{IDS_MAIN_TIP_STARTUP, "Shows the currently selected Start Up Logo"},
    StringResource{IDS_MAIN_TIP_SHUTDOWN, "Shows the currently selected Shut Down Logo"},
    StringResource{IDS_MAIN_TIP_PRESHUTDOWN, "Shows the currently selected Pre-Shut Down Logo"},
    StringResource{IDS_MAIN_TIP_APPLY, "Applies currently selected logos to windows"},
    StringResource{IDS_MAIN_TIP_CLOSE, "Closes Lumivane and discards any unapplied logos"},
    StringResource{IDS_MAIN_TIP_BROWSE, "Browse for a new logo"},
    StringResource{IDS_MAIN_TIP_DEFAULT_LOGO, "Resets the current logo to the default"},
    StringResource{IDS_MAIN_TIP_NEW_LOGO, "Opens a new blank logo"},
    StringResource{IDS_MAIN_TIP_ANIMATE_LOGO, "Displays options for animating the current logo"},
    StringResource{IDS_MAIN_TIP_SET_LOGO_EDITOR, "Allows you to specify the program used to create new logos"},
    StringResource{IDS_MAIN_TIP_SAVE_LOGO, "Saves the current logo as a bitmap file"},
    StringResource{IDS_MAIN_TIP_HELP, "Displays the Help file for Lumivane"},
    StringResource{IDS_MAIN_TIP_ABOUT, "Displays information about Lumivane"},

    StringResource{IDS_ANIM_TIP_ANIMATED_BAR, "Makes an animated bar at the bottom of the image using the current color"},
    StringResource{IDS_ANIM_TIP_REVERSE, "Reverses the animation sequence"},

    // Main dialog.
    StringResource{IDS_MAIN_CLOSE_CAPTION, "&Close"},
    StringResource{IDS_MAIN_CANCEL_CAPTION, "&Cancel"},
    StringResource{IDS_BROWSE_TITLE, "Select Logo..."},
    StringResource{IDS_BROWSE_FILTER, "Bitmap Files|*.bmp;*.sys||"},
    StringResource{IDS_SAVE_LOGO_TITLE, "Save Logo As..."},
    StringResource{IDS_SAVE_LOGO_FILTER, "Bitmap Files (*.bmp)|*.bmp||"},
    StringResource{IDS_NOT_A_LOGO, "The selected file is not a logo."},
    StringResource{IDS_CANNOT_DISPLAY, "Could not display selected image."},
    StringResource{IDS_CANNOT_DISPLAY_PRESHUTDOWN,
                   "Could not display selected image. This Image may not be supported on your version of windows!"},
    StringResource{IDS_PRESHUTDOWN_QUESTION,
                   "Support for this image is not available in some versions of windows (like ME). Do you wish to "
                   "prevent lumivane from setting this image?"},
    StringResource{IDS_PRESHUTDOWN_CAPTION, "Pre-Shut Down Image"},
    StringResource{IDS_FILE_NOT_SAVED, "The file could not be saved."},
    StringResource{IDS_LOGO_FILES_NOT_CHANGED, "The following logo files could not be changed:"},
    StringResource{IDS_TEMPLATE_MISSING_BEFORE, "The new logo template was not found. Please ensure that file "},
    StringResource{IDS_TEMPLATE_MISSING_AFTER, "new.tpl exists."},
    StringResource{IDS_EDITOR_START_FAILED,
                   "Could not start the Logo Editor. Click Logo Editor button to choose a different logo editor"},
    StringResource{IDS_CAPTION_ERROR, "Error"},

    // Logo editor path dialog.
    StringResource{IDS_EDPATH_BROWSE_TITLE, "Select a Logo Editor"},
    StringResource{IDS_EDPATH_BROWSE_FILTER,
                   "Executable Files (*.exe)|*.exe|ShortCut to executable file (*.lnk)|*.lnk||"},
    StringResource{IDS_EDPATH_EMPTY, "Please specify the path of a bitmap editor like Ms-Paint."},
    StringResource{IDS_EDPATH_MISSING, "The specified file or path does not exist."},
    StringResource{IDS_EDPATH_ALL_FILES, "All Files (*)|*|"},

    // Animation Options editor.
    StringResource{IDS_ANIM_SAVE_FILTER, "Static Logo|*.bmp|Animated Logo|*.bmp||"},
    StringResource{IDS_ANIM_COLOR_PRESENT, "This color is present at the hilighted swatch"},
    StringResource{IDS_ANIM_COLOR_ABSENT, "This color is not present in the color table"},
    StringResource{IDS_ANIM_COLOR_CHECK_CAPTION, "Color Check"},
    StringResource{IDS_ANIM_BAR_NO_SPACE,
                   "There isn't sufficient space in the color palette of this image to complete the creation of the "
                   "animated bar.\nPlease refer the help file for tips on creating more space in the color palette."},
    StringResource{IDS_ANIM_BAR_DONE,
                   "Lumivane has sucessfully created a animated bar at the bottom of your image.\nIf you do not wish "
                   "to make any more changes, you may click Save As.. and save the file as an 'Animated Logo'."},
    StringResource{IDS_ANIM_BAR_CAPTION, "Make Animated Bar"},
    StringResource{IDS_ANIM_FIELD_RANGE, "Please enter an integer between 0 and 255."},
    StringResource{IDS_ANIM_WRITE_FAILED, "Error writing file"},
    StringResource{IDS_ANIM_UNSAVED_QUESTION,
                   "Image has not been saved. Are you sure you want to continue.\nPressing YES will discard your "
                   "changes."},
    StringResource{IDS_ANIM_UNSAVED_CAPTION, "Alert"},
    StringResource{IDS_ANIM_PREVIEW_HIDDEN, "The preview pane must be visible before using this tool."},

    // Context menus of the previews, the Boot Screen window and the export.
    StringResource{IDS_MENU_BOOT_SCREEN, "&Boot Screen\tCtrl+B"},
    StringResource{IDS_MENU_EXPORT_ANIMATION, "Export &Animation..."},
    StringResource{IDS_EXPORT_TITLE, "Export Animation"},
    StringResource{IDS_EXPORT_FILTER, "GIF Animation (*.gif)|*.gif|Animated WebP (*.webp)|*.webp|PNG Picture (*.png)|*.png||"},
    StringResource{IDS_EXPORT_FAILED, "The animation could not be exported: "},
    StringResource{IDS_EXPORT_NOT_A_LOGO, "the picture is not a 320 x 400 logo with 256 colours."},
    StringResource{IDS_EXPORT_NO_FOLDER, "the folder cannot be reached."},
    StringResource{IDS_BOOT_CHECK_PREFIX, "Logo check: "},
    StringResource{IDS_BOOT_CHECK_CLEAN, "nothing found, Windows shows this logo as it is."},
    StringResource{IDS_BOOT_AT_BOOT, "At boot: "},
    // Convert Picture.
    StringResource{IDS_BROWSE_PICTURES_FILTER, "All Pictures|*.png;*.jpg;*.jpeg;*.gif;*.webp;*.tif;*.tiff;*.bmp;*.sys||"},
    StringResource{IDS_CONVERT_TIP_SOURCE, "Shows the picture you chose"},
    StringResource{IDS_CONVERT_TIP_RESULT, "Shows the logo as the screen will show it"},
    StringResource{IDS_CONVERT_TIP_FIT, "Shows the whole picture, with bands in the fill color"},
    StringResource{IDS_CONVERT_TIP_FILL, "Covers the whole screen and crops what does not fit"},
    StringResource{IDS_CONVERT_TIP_STRETCH, "Stretches the picture over the screen without keeping its shape"},
    StringResource{IDS_CONVERT_TIP_DITHER, "Displays the dithering strength, from 0 (none) to 100 (full)"},
    StringResource{IDS_CONVERT_TIP_RESERVED,
                   "Displays the number of entries kept free at the end of the color-palette for animating (0 to 255)"},
    StringResource{IDS_CONVERT_TIP_FILL_COLOR, "Chooses the color of the bands and of the screen border"},
    StringResource{IDS_CONVERT_TIP_OK, "Makes the logo and selects it"},
    StringResource{IDS_CONVERT_TIP_CANCEL, "Closes this dialog without making a logo"},
    StringResource{IDS_CONVERT_DITHER_RANGE, "Please enter a dithering strength between 0 and 100."},
    StringResource{IDS_CONVERT_RESERVED_RANGE, "Please enter a number of reserved entries between 0 and 255."},
    StringResource{IDS_CONVERT_CAPTION, "Convert Picture"},
    StringResource{IDS_CONVERT_NOT_SAVED, "The converted logo could not be saved."},
};

}  // namespace

std::span<const StringResource> StringTable()
{
    return kStrings;
}

std::optional<std::string_view> FindTableString(UINT id)
{
    for (const StringResource& entry : kStrings) {
        if (entry.id == id)
            return entry.text;
    }
    return std::nullopt;
}

}  // namespace res
