// The KEPServerEX tag file of the full example unit (every analog and digital panel fitted):
// the time to build and write it, replacing the previous file each time, and its size.

#include "app/KepServerExport.h"
#include "app/KepTagFile.h"
#include "support/SimulatedDocument.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

void ExportFullUnit(benchmark::State& state) {
    SimulatedDocument unit(SimProfile::full());
    if (!unit.ready()) {
        state.SkipWithError("simulated unit not reachable");
        return;
    }
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("vtr-export-bench-" + std::to_string(getpid()) + ".txt");
    for (auto _ : state) {
        if (KepServerExport::writeFile(unit.doc, path.string()) !=
            KepServerExport::Outcome::created) {
            state.SkipWithError("export failed");
            break;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    const std::string text = KepTagFile::text(unit.doc);
    state.counters["lines"] = static_cast<double>(std::count(text.begin(), text.end(), '\n'));
    std::filesystem::remove(path);
}
BENCHMARK(ExportFullUnit)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
