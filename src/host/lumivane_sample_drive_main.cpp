// Writes the sample drive into a folder, for a Wine prefix or any other
// place that wants the sample pictures without running Lumivane.
//   lumivane_sample_drive FOLDER

#include "host/SampleDrive.h"

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: lumivane_sample_drive FOLDER\n";
        return 2;
    }
    std::string error;
    if (!host::EnsureSampleDrive(argv[1], error)) {
        std::cerr << "lumivane_sample_drive: " << error << "\n";
        return 1;
    }
    return 0;
}
