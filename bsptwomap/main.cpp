#include "bsptwomap/Decompile.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return btm::runCommandLine(args, std::cout);
}
