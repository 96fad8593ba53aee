#pragma once

#include <string>

// Where the user manual (manual.html) is: beside an installed program in
// <prefix>/share/doc/vtrconfig, else in the build tree the program was built in, else where the
// build would install it.
namespace ManualLocation {
std::string find();
}
