#include "host/SampleHelp.h"

namespace host {

std::string_view HelpText()
{
    return R"(# Lumivane Help

Lumivane changes the three full-screen pictures Windows shows while it starts and shuts down:

- **StartUp**: the logo shown while Windows starts (LOGO.SYS in the root of the Windows drive).
- **Pre-Shut Down**: the screen shown while Windows prepares to shut down (LOGOW.SYS in the Windows folder).
- **Shut Down**: the screen that tells you it is safe to switch off (LOGOS.SYS in the Windows folder).

Each picture is a bitmap of 320 x 400 pixels with 256 colours. Windows stretches it to fill a 4:3 screen,
so draw circles a little taller than they are wide.

## The buttons

**StartUp, Pre-Shut Down, Shut Down** show the picture of that screen in the preview. An animated start-up
logo plays in the preview as it will at start-up. The other buttons work on the screen selected here.

**Apply** writes your choices to Windows. Until you press it nothing on the drive changes.

**Close** closes Lumivane. While the button reads **Cancel** you have choices that are not applied yet;
closing drops them.

**Browse** picks a picture for the selected screen. The file dialog offers two lists:

- **Bitmap Files** (.bmp and .sys): Lumivane opens the file and takes it when it reads as a picture of
  320 x 400 pixels with 256 colours (8 bits per pixel), compressed or not. A file that does not, or whose
  pixels are damaged, is refused with "The selected file is not a logo."
- **All Pictures**: the bitmaps and logo files above, and PNG, JPEG, GIF, WebP and TIFF pictures of any
  size. Such a picture opens **Convert Picture** (see below), which turns it into a logo; a bitmap still
  has to be a logo already.

You can also drag a file from your file manager and drop it onto the Lumivane window: it is taken just as
if you had chosen it with Browse.

**Default Logo** goes back to the standard picture: for StartUp the built-in Windows start-up screen (the
logo file is removed when you apply), for the two shut-down screens the pictures kept in
Program Files\Plus!\Themes\Lumivane\Default.

**New Logo** opens a blank template (New.tpl in the Windows system folder) in your bitmap editor. Save your
drawing under a name of your own as a 256-colour bitmap, then choose it with Browse.

**Animate Logo** opens the Animation Options editor on the selected picture (see below).

**Set Logo Editor** chooses the program New Logo starts. The previous choice stays in the list.

**Save Logo to File** saves a copy of the picture shown in the preview as an ordinary bitmap file.

**Help** shows this text; **About Lumivane** tells who made Lumivane.

## Turning any picture into a logo

Convert Picture shows your picture on the left and, on the right, the logo as the boot screen will show
it: in its 4:3 shape and with the colours a VGA screen can show. Every change shows at once.

- **Fit** shows the whole picture, with bands of the fill colour where its shape differs from the screen's;
  **Fill** covers the whole screen and crops what sticks out; **Stretch** covers it without keeping the
  picture's shape.
- **Dithering** (0 to 100) mixes neighbouring colours to suggest shades the palette lacks; 0 gives flat
  areas, 100 the smoothest gradients.
- **Reserved entries** (0 to 255) keeps that many colours at the end of the palette unused, so that you can
  add an animated bar later. The default, 21, is just what the animated bar needs.
- **Fill Color** chooses the colour of the bands; it is also the colour of the screen's border.

**OK** saves the logo in the pictures folder of Lumivane's data folder (a new file named after your
picture; nothing there is ever replaced) and selects it, as Browse does.

## Seeing the logo as Windows shows it

Right-click the preview of the main window, or the Preview window of the Animation Options editor, for two
commands (Ctrl+B opens the first one directly):

- **Boot Screen** shows the picture the way the screen shows it while Windows starts: stretched to
  640 x 480, with the colours of the VGA screen, and an animated logo cycling at its real pace. The line
  under the picture tells you what the logo check found: anything that keeps Windows from showing or
  animating the logo as you meant it, and palette entries that only waste room. Press **F11** or
  double-click the picture to see it full screen; **Esc** leaves full screen, and pressed again closes the
  window. Opened from the editor, Boot Screen follows your changes as you make them.
- **Export Animation...** saves the cycling as an animated GIF, an animated WebP or a single PNG picture,
  for sharing it or looking at it in other programs.

## Making an animated logo

An animated start-up logo does not hold several pictures. Instead the last entries of its colour palette
rotate one place at a time while Windows starts, so every pixel drawn with one of those colours changes
colour in turn. A band of pixels drawn with neighbouring palette entries therefore seems to move.

1. Select StartUp (or any screen) and press **Animate Logo**. The Animation Options editor shows the 256
   colours of the picture; the Preview window shows the picture itself.
2. The quickest way: choose a colour with the colour button (or pick one from the preview with the
   pipette), then press the **animated bar** button. Lumivane frees room in the palette, puts a band of 21
   shades of your colour at the end of it and draws a bar along the bottom of the picture with them.
3. Press **Animate** to watch it, and again to stop.
4. For effects of your own: set the number of animated entries in the Animate box (2 to 255), or
   Ctrl+click the first swatch that should move. Place colours into swatches with the paint bucket (hold
   Shift to place several), swap two swatches with Shift+click on the first and a click on the second, and
   reverse the direction with the U-turn button.
5. Press **Save As..** and choose the type **Animated Logo**. Then pick the saved file with Browse and
   press Apply.

Changed your mind? **Ctrl+Z** takes back the last change to the palette or the picture (placing, swapping,
removing unused colours, the animated bar, reversing, the number of animated entries), up to 100 steps, and
**Ctrl+Y** (or Ctrl+Shift+Z) brings it back. They wait while the animation runs or a tool is in use. When
you undo everything since you last saved, closing the editor asks nothing.

Neighbouring animated colours should differ clearly: the screen shows only 64 levels of red, green and
blue, so two colours closer than that look the same and the animation seems to stop there. Boot Screen
tells you where this happens.

## Making space in the colour palette

The animated bar needs 21 free palette entries. When Lumivane reports that there isn't sufficient space in
the color palette, the picture uses more than 235 different colours. To make room:

- Press the **remove unused colours** button: it merges entries that hold the same colour and drops colours
  no pixel uses. The freed entries turn light grey at the end of the palette.
- Reduce the picture to fewer colours in your bitmap editor (200 colours, say) before you load it, then save
  it again as a 256-colour bitmap. Convert Picture does this for you: keep its Reserved entries at 21.
- Paint areas of almost the same colour with one colour: large smooth gradients use many entries.
- Avoid dithering when you reduce a photograph in another program: it spreads many similar colours over
  the picture.

## Windows inside a virtual machine

On Linux, Lumivane can change the pictures of a Windows installation inside a virtual machine's disk
image (raw images, VHD, VDI, VMDK and qcow2) without starting the machine. Start it with the image as a
drive, for instance `lumivane --drive C:=win98.vhd` (`lumivane --help` lists every way). Shut the virtual
machine down first and drop any saved state it has: a running or suspended Windows writes its own copy of
the disk back over your changes. While another program has the image open, Lumivane only reads it.

## Good to know

- Some versions of Windows never show the Pre-Shut Down screen. When Lumivane cannot show it, it asks
  whether it should stop offering that picture.
- Windows reads the logo files only in their plain form; Lumivane writes every picture it applies in that
  form.
)";
}

}  // namespace host
