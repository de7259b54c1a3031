#include "tools/LogoCommand.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return tools::RunLogoCommand(arguments, std::cout, std::cerr);
}
