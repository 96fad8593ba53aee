#include "tools/vtrconfig/ManualLocation.h"

#include <filesystem>
#include <system_error>

std::string ManualLocation::find() {
    namespace fs = std::filesystem;
    std::error_code error;
    // An installed program finds the manual relative to itself, wherever the prefix is.
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    const fs::path candidates[] = {
        program.parent_path().parent_path() / "share/doc/vtrconfig/manual.html",
        VTR_BUILD_MANUAL,
    };
    for (const fs::path& candidate : candidates) {
        if (!error && fs::is_regular_file(candidate, error)) {
            return candidate.string();
        }
        error.clear();
    }
    return VTR_INSTALLED_MANUAL;
}
