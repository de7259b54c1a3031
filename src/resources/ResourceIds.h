#pragma once
// Resource numbers of lumva.cpl, grouped by the dialog they belong to. The
// prefix says the kind: IDD_ dialog template, IDC_ control, IDS_ string,
// IDB_ bitmap, IDCUR_ cursor, IDI_ icon, IDV_ version information.
// Control ids are only unique within their dialog, hence the per-dialog
// prefixes (IDC_ANIM_..., IDC_EDPATH_...); IDOK and IDCANCEL come from
// platform/WinTypes.h.

#include "platform/WinTypes.h"

namespace res {

constexpr int IDC_STATIC = -1;

// --- Control Panel item -----------------------------------------------------
constexpr UINT IDS_APPLET_NAME = 1;         // "Lumivane"
constexpr UINT IDS_APPLET_DESCRIPTION = 2;  // "Change the windows startup & shutdown screens"
constexpr int IDI_APPLET = 1000;            // six images: 16/32/48 px, 16 and 256 colours
constexpr int IDV_VERSION_INFO = 1;         // VS_VERSION_INFO

// --- Main dialog ------------------------------------------------------------
constexpr int IDD_MAIN = 1001;
constexpr int IDC_STARTUP = 1000;
constexpr int IDC_PRESHUTDOWN = 1001;
constexpr int IDC_SHUTDOWN = 1002;
constexpr int IDC_APPLY = 1003;
constexpr int IDC_PREVIEW = 1004;
constexpr int IDC_NEW_LOGO = 3;
constexpr int IDC_ANIMATE_LOGO = 4;
constexpr int IDC_SET_LOGO_EDITOR = 5;
constexpr int IDC_BROWSE = 7;
constexpr int IDC_DEFAULT_LOGO = 8;
constexpr int IDC_HELP = 9;
constexpr int IDC_ABOUT = 10;
constexpr int IDC_SAVE_LOGO = 11;
// Close is IDCANCEL (2).

constexpr UINT IDS_MAIN_TIP_STARTUP = 17;
constexpr UINT IDS_MAIN_TIP_SHUTDOWN = 18;
constexpr UINT IDS_MAIN_TIP_PRESHUTDOWN = 19;
constexpr UINT IDS_MAIN_TIP_APPLY = 20;
constexpr UINT IDS_MAIN_TIP_CLOSE = 21;
constexpr UINT IDS_MAIN_TIP_BROWSE = 22;
constexpr UINT IDS_MAIN_TIP_DEFAULT_LOGO = 23;
constexpr UINT IDS_MAIN_TIP_NEW_LOGO = 24;
constexpr UINT IDS_MAIN_TIP_ANIMATE_LOGO = 25;
constexpr UINT IDS_MAIN_TIP_SET_LOGO_EDITOR = 26;
constexpr UINT IDS_MAIN_TIP_SAVE_LOGO = 27;
constexpr UINT IDS_MAIN_TIP_HELP = 28;
constexpr UINT IDS_MAIN_TIP_ABOUT = 29;

constexpr UINT IDS_MAIN_CLOSE_CAPTION = 100;    // "&Close"
constexpr UINT IDS_MAIN_CANCEL_CAPTION = 101;   // "&Cancel"
constexpr UINT IDS_BROWSE_TITLE = 102;          // "Select Logo..."
constexpr UINT IDS_BROWSE_FILTER = 103;         // "Bitmap Files|*.bmp;*.sys||"
constexpr UINT IDS_SAVE_LOGO_TITLE = 104;       // "Save Logo As..." (Save Logo to File and the editor's Save As)
constexpr UINT IDS_SAVE_LOGO_FILTER = 105;      // "Bitmap Files (*.bmp)|*.bmp||"
constexpr UINT IDS_NOT_A_LOGO = 106;
constexpr UINT IDS_CANNOT_DISPLAY = 107;
constexpr UINT IDS_CANNOT_DISPLAY_PRESHUTDOWN = 108;
constexpr UINT IDS_PRESHUTDOWN_QUESTION = 109;
constexpr UINT IDS_PRESHUTDOWN_CAPTION = 110;   // "Pre-Shut Down Image"
constexpr UINT IDS_FILE_NOT_SAVED = 111;
constexpr UINT IDS_LOGO_FILES_NOT_CHANGED = 112;
constexpr UINT IDS_TEMPLATE_MISSING_BEFORE = 113;  // + system directory + IDS_TEMPLATE_MISSING_AFTER
constexpr UINT IDS_TEMPLATE_MISSING_AFTER = 114;
constexpr UINT IDS_EDITOR_START_FAILED = 115;

// Shared message-box captions.
constexpr UINT IDS_CAPTION_ERROR = 120;         // "Error"

// --- Logo editor path dialog ---------------------------------------------------
constexpr int IDD_EDITOR_PATH = 1007;
constexpr int IDC_EDPATH_BROWSE = 1006;
constexpr int IDC_EDPATH_COMBO = 1008;
// OK is IDOK (1), Cancel is IDCANCEL (2).

constexpr UINT IDS_EDPATH_BROWSE_TITLE = 130;   // "Select a Logo Editor"
constexpr UINT IDS_EDPATH_BROWSE_FILTER = 131;
constexpr UINT IDS_EDPATH_EMPTY = 132;
constexpr UINT IDS_EDPATH_MISSING = 133;
constexpr UINT IDS_EDPATH_ALL_FILES = 134;       // extra filter entry: Linux programs rarely end in .exe

// --- About box ------------------------------------------------------------------
constexpr int IDD_ABOUT = 1008;
// Close is IDCANCEL (2); everything else is static text.

// --- Animation Options editor ---------------------------------------------------
constexpr int IDD_ANIM = 1013;
constexpr int IDC_ANIM_RED = 1009;
constexpr int IDC_ANIM_GREEN = 1010;
constexpr int IDC_ANIM_BLUE = 1011;
constexpr int IDC_ANIM_COUNT = 1012;
constexpr int IDC_ANIM_CURRENT_COLOR = 1013;
constexpr int IDC_ANIM_COLOR_DIALOG = 1014;
constexpr int IDC_ANIM_PICK = 1015;
constexpr int IDC_ANIM_SWATCH_AREA = 1016;
constexpr int IDC_ANIM_PLACE = 1017;
constexpr int IDC_ANIM_REMOVE_UNUSED = 1018;
constexpr int IDC_ANIM_SHOW_PREVIEW = 1019;
constexpr int IDC_ANIM_COLOR_CHECK = 1020;
constexpr int IDC_ANIM_SAVE_AS = 1021;
constexpr int IDC_ANIM_ANIMATE = 1022;
constexpr int IDC_ANIM_ANIMATED_BAR = 1023;
constexpr int IDC_ANIM_REVERSE = 1024;
// Close is IDCANCEL (2).

constexpr UINT IDS_ANIM_TIP_PICK = 3;
constexpr UINT IDS_ANIM_TIP_PLACE = 4;
constexpr UINT IDS_ANIM_TIP_SHOW_PREVIEW = 5;
constexpr UINT IDS_ANIM_TIP_COLOR_CHECK = 6;
constexpr UINT IDS_ANIM_TIP_COLOR_DIALOG = 7;
constexpr UINT IDS_ANIM_TIP_REMOVE_UNUSED = 8;
constexpr UINT IDS_ANIM_TIP_CLOSE = 9;
constexpr UINT IDS_ANIM_TIP_SAVE_AS = 10;
constexpr UINT IDS_ANIM_TIP_ANIMATE = 11;
constexpr UINT IDS_ANIM_TIP_BLUE = 12;
constexpr UINT IDS_ANIM_TIP_RED = 13;
constexpr UINT IDS_ANIM_TIP_GREEN = 14;
constexpr UINT IDS_ANIM_TIP_CURRENT_COLOR = 15;
constexpr UINT IDS_ANIM_TIP_COUNT = 16;
constexpr UINT IDS_ANIM_TIP_ANIMATED_BAR = 30;
constexpr UINT IDS_ANIM_TIP_REVERSE = 31;

constexpr UINT IDS_ANIM_SAVE_FILTER = 140;      // "Static Logo|*.bmp|Animated Logo|*.bmp||"; title IDS_SAVE_LOGO_TITLE
constexpr UINT IDS_ANIM_COLOR_PRESENT = 141;
constexpr UINT IDS_ANIM_COLOR_ABSENT = 142;
constexpr UINT IDS_ANIM_COLOR_CHECK_CAPTION = 143;  // "Color Check"
constexpr UINT IDS_ANIM_BAR_NO_SPACE = 144;
constexpr UINT IDS_ANIM_BAR_DONE = 145;
constexpr UINT IDS_ANIM_BAR_CAPTION = 146;      // "Make Animated Bar"
constexpr UINT IDS_ANIM_FIELD_RANGE = 147;      // "Please enter an integer between 0 and 255."
constexpr UINT IDS_ANIM_WRITE_FAILED = 148;     // "Error writing file"
constexpr UINT IDS_ANIM_UNSAVED_QUESTION = 149;
constexpr UINT IDS_ANIM_UNSAVED_CAPTION = 150;  // "Alert"
constexpr UINT IDS_ANIM_PREVIEW_HIDDEN = 151;

// Button faces, set when the editor opens.
constexpr int IDB_ANIM_PICK = 1022;             // pipette            -> IDC_ANIM_PICK
constexpr int IDB_ANIM_COLOR_DIALOG = 1023;     // colour chooser     -> IDC_ANIM_COLOR_DIALOG
constexpr int IDB_ANIM_PLACE = 1027;            // paint bucket       -> IDC_ANIM_PLACE
constexpr int IDB_ANIM_REMOVE_UNUSED = 1029;    // thinned swatch grid -> IDC_ANIM_REMOVE_UNUSED
constexpr int IDB_ANIM_SHOW_PREVIEW = 1031;     // eye                -> IDC_ANIM_SHOW_PREVIEW
constexpr int IDB_ANIM_COLOR_CHECK = 1033;      // swatches and "?"   -> IDC_ANIM_COLOR_CHECK
constexpr int IDB_ANIM_ANIMATE = 1034;          // film strip, 15 x 16 -> IDC_ANIM_ANIMATE
constexpr int IDB_ANIM_ANIMATED_BAR = 1039;     // segmented bar      -> IDC_ANIM_ANIMATED_BAR
constexpr int IDB_ANIM_REVERSE = 1041;          // U-turn arrow       -> IDC_ANIM_REVERSE

// Cursors of the mouse tools, 32 x 32 monochrome.
constexpr int IDCUR_PIPETTE = 1024;             // hot spot (9, 22)
constexpr int IDCUR_BUCKET = 1026;              // hot spot (23, 17)
constexpr int IDCUR_SWAP = 1035;                // hot spot (21, 20)

// --- Preview window ---------------------------------------------------------------
constexpr int IDD_PREVIEW = 1030;
constexpr int IDC_PREVIEW_PICTURE = 1017;

// --- Boot Screen window, and the context menus of the previews --------------------
constexpr int IDD_BOOT_SCREEN = 1060;
constexpr int IDC_BOOT_STATUS = 1061;           // the logo check's findings under the picture

// Commands of the previews' context menus and their shortcuts.
constexpr int IDM_BOOT_SCREEN = 40001;          // also Ctrl+B
constexpr int IDM_EXPORT_ANIMATION = 40002;
// Shortcuts of the Animation Options editor.
constexpr int IDM_ANIM_UNDO = 40011;            // Ctrl+Z
constexpr int IDM_ANIM_REDO = 40012;            // Ctrl+Y, Ctrl+Shift+Z

constexpr UINT IDS_MENU_BOOT_SCREEN = 460;
constexpr UINT IDS_MENU_EXPORT_ANIMATION = 461;
constexpr UINT IDS_EXPORT_TITLE = 462;
constexpr UINT IDS_EXPORT_FILTER = 463;         // GIF, animated WebP, PNG, in that order
constexpr UINT IDS_EXPORT_FAILED = 464;         // followed by the reason
constexpr UINT IDS_BOOT_CHECK_PREFIX = 465;
constexpr UINT IDS_BOOT_CHECK_CLEAN = 466;
constexpr UINT IDS_EXPORT_NOT_A_LOGO = 467;     // reasons after IDS_EXPORT_FAILED
constexpr UINT IDS_EXPORT_NO_FOLDER = 468;
constexpr UINT IDS_BOOT_AT_BOOT = 469;          // before what MSDOS.SYS makes of the start-up logo
// --- Convert Picture dialog ---------------------------------------------------------
// Opened by Browse and by a drop for a picture that is not a BMP.
constexpr int IDD_CONVERT_PICTURE = 1050;
constexpr int IDC_CONVERT_SOURCE = 1051;        // the chosen picture
constexpr int IDC_CONVERT_RESULT = 1052;        // the logo as the screen shows it
constexpr int IDC_CONVERT_FIT = 1053;           // first of the shape's radio group
constexpr int IDC_CONVERT_FILL = 1054;
constexpr int IDC_CONVERT_STRETCH = 1055;
constexpr int IDC_CONVERT_DITHER = 1056;        // 0 .. 100
constexpr int IDC_CONVERT_RESERVED = 1057;      // 0 .. 255
constexpr int IDC_CONVERT_FILL_COLOR = 1058;
// OK is IDOK (1), Cancel is IDCANCEL (2).
constexpr UINT IDS_BROWSE_PICTURES_FILTER = 200;  // Browse's second filter entry, "All Pictures"
constexpr UINT IDS_CONVERT_TIP_SOURCE = 201;
constexpr UINT IDS_CONVERT_TIP_RESULT = 202;
constexpr UINT IDS_CONVERT_TIP_FIT = 203;
constexpr UINT IDS_CONVERT_TIP_FILL = 204;
constexpr UINT IDS_CONVERT_TIP_STRETCH = 205;
constexpr UINT IDS_CONVERT_TIP_DITHER = 206;
constexpr UINT IDS_CONVERT_TIP_RESERVED = 207;
constexpr UINT IDS_CONVERT_TIP_FILL_COLOR = 208;
constexpr UINT IDS_CONVERT_TIP_OK = 209;
constexpr UINT IDS_CONVERT_TIP_CANCEL = 210;
constexpr UINT IDS_CONVERT_DITHER_RANGE = 211;
constexpr UINT IDS_CONVERT_RESERVED_RANGE = 212;
constexpr UINT IDS_CONVERT_CAPTION = 213;       // "Convert Picture"
constexpr UINT IDS_CONVERT_NOT_SAVED = 214;

// --- Shared bitmaps ---------------------------------------------------------------
constexpr int IDB_PREVIEW_UNAVAILABLE = 1006;   // 235 x 142, 16 colours: the main preview's placeholder

}  // namespace res
