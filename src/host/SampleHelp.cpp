#include "host/SampleHelp.h"

namespace host {

std::string_view HelpText()
{
    return R"(# Lumivane Help

Lumivane changes the three full-screen pictures Windows shows while it starts and shuts down:

- **StartUp**: the logo shown while Windows starts (LOGO.SYS in the root of the Windows drive).
- **Pre-Shut Down**: the screen shown while Windows prepares to shut down (LOGOW.SYS in the Windows folder).
- **Shut Down**: the screen that tells you it is safe to switch off (LOGOS.SYS in the Windows folder).

Each picture is a bitmap of 320 x 400 pixels with 256 colours. Windows stretches it to fill the screen,
so draw circles a little taller than they are wide.

## The buttons

**StartUp, Pre-Shut Down, Shut Down** show the picture of that screen in the preview. An animated start-up
logo plays in the preview as it will at start-up. The other buttons work on the screen selected here.

**Apply** writes your choices to Windows. Until you press it nothing on the drive changes.

**Close** closes Lumivane. While the button reads **Cancel** you have choices that are not applied yet;
closing drops them.

**Browse** picks a bitmap for the selected screen. It must be 320 x 400 pixels with 256 colours
(8 bits per pixel).

**Default Logo** goes back to the standard picture: for StartUp the built-in Windows start-up screen (the
logo file is removed when you apply), for the two shut-down screens the pictures kept in
Program Files\Plus!\Themes\Lumivane\Default.

**New Logo** opens a blank template (New.tpl in the Windows system folder) in your bitmap editor. Save your
drawing under a name of your own as a 256-colour bitmap, then choose it with Browse.

**Animate Logo** opens the Animation Options editor on the selected picture (see below).

**Set Logo Editor** chooses the program New Logo starts. The previous choice stays in the list.

**Save Logo to File** saves a copy of the picture shown in the preview as an ordinary bitmap file.

**Help** shows this text; **About Lumivane** tells who made Lumivane.

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

## Making space in the colour palette

The animated bar needs 21 free palette entries. When Lumivane reports that there isn't sufficient space in
the color palette, the picture uses more than 235 different colours. To make room:

- Press the **remove unused colours** button: it merges entries that hold the same colour and drops colours
  no pixel uses. The freed entries turn light grey at the end of the palette.
- Reduce the picture to fewer colours in your bitmap editor (200 colours, say) before you load it, then save
  it again as a 256-colour bitmap.
- Paint areas of almost the same colour with one colour: large smooth gradients use many entries.
- Avoid dithering when you convert a photograph: it spreads many similar colours over the picture.

## Good to know

- Some versions of Windows never show the Pre-Shut Down screen. When Lumivane cannot show it, it asks
  whether it should stop offering that picture.
- Windows reads the logo files only in their plain form; Lumivane writes every picture it applies in that
  form.
)";
}

}  // namespace host
