#pragma once
// The sample drive's Paint (pbrush.exe in the Windows folder, the applet's
// default logo editor): a small shell script of ours that opens the picture
// it is given in the first of the usual bitmap editors found on PATH, else
// in the desktop's default program for it.

#include <string_view>

namespace host {

std::string_view SampleEditorScript();

}  // namespace host
