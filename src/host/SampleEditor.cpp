#include "host/SampleEditor.h"

namespace host {

std::string_view SampleEditorScript()
{
    // exec: the editor takes this process's place, so nothing waits on it
    // (the applet's launch has detached it already).
    return "#!/bin/sh\n"
           "# Paint on the Lumivane sample drive: opens the picture it is given in the\n"
           "# first bitmap editor found, else in the desktop's program for it.\n"
           "for editor in pinta kolourpaint gimp mtpaint krita; do\n"
           "    if command -v \"$editor\" >/dev/null 2>&1; then\n"
           "        exec \"$editor\" \"$@\"\n"
           "    fi\n"
           "done\n"
           "if command -v xdg-open >/dev/null 2>&1; then\n"
           "    exec xdg-open \"$@\"\n"
           "fi\n"
           "echo \"pbrush.exe: no bitmap editor found (pinta, kolourpaint, gimp, mtpaint, krita or xdg-open)\" >&2\n"
           "exit 127\n";
}

}  // namespace host
