// lumivane_help_text: writes the help text the sample drive carries, for the
// package's documentation. Runs at build time.
//
//   lumivane_help_text OUT

#include "host/SampleHelp.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: lumivane_help_text OUT\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    const std::string_view text = host::HelpText();
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
        std::cerr << "lumivane_help_text: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
