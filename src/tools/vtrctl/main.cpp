#include "tools/vtrctl/VtrctlProgram.h"

#include <iostream>

int main(int argc, char** argv) {
    return VtrctlProgram().run(argc, argv, std::cout, std::cerr);
}
