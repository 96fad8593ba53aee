#include "support/ScratchFolder.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>
#include <sys/wait.h>

using ::testing::HasSubstr;

namespace {

struct ProgramRun {
    int status;
    std::string output; // stdout and stderr together
};

// Runs vtrconfig offscreen with its settings in a scratch folder.
ProgramRun vtrconfig(const std::string& arguments) {
    const ScratchFolder settings;
    const std::string command = "QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + settings.path() +
                                " " + VTRCONFIG_BINARY + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {-1, "cannot run " + command};
    }
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

// The rows of the connected tree the start-up probe reports; -1 when it reports none.
int connectedRows(const ProgramRun& run) {
    static const std::regex shown("tree shown at [0-9]+ us, ([0-9]+) rows");
    std::smatch match;
    return std::regex_search(run.output, match, shown) ? std::stoi(match[1]) : -1;
}

} // namespace

TEST(VtrconfigDemo, StartsWithTheMainWindowConnectedToTheSimulatedUnit) {
    const ProgramRun rich = vtrconfig("--demo --startup-probe");
    ASSERT_EQ(rich.status, 0) << rich.output;
    EXPECT_THAT(rich.output, HasSubstr("window shown at"));

    // A base unit alone has far fewer rows than the rich default unit.
    const ProgramRun minimal = vtrconfig("--demo-profile " VTR_EXAMPLES_DIR "/vtr300-minimal.json "
                                         "--startup-probe");
    ASSERT_EQ(minimal.status, 0) << minimal.output;
    EXPECT_GT(connectedRows(minimal), 0);
    EXPECT_LT(connectedRows(minimal), connectedRows(rich));
}

TEST(VtrconfigDemo, ABadProfileEndsStartUpWithTheReason) {
    const ScratchFolder folder;
    const std::string malformed = folder.file("unit.json");
    std::ofstream(malformed) << R"({"scan": {"mode": "x"}})";
    const struct {
        std::string path;
        std::string reason;
    } cases[] = {
        {folder.file("missing.json"), "missing.json: cannot open the profile"},
        {malformed, "unit.json: field \"scan.mode\": expected one of"},
    };
    for (const auto& bad : cases) {
        const ProgramRun run = vtrconfig("--demo-profile " + bad.path + " --startup-probe");
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_THAT(run.output, HasSubstr("vtrconfig: " + folder.path() + "/")) << bad.path;
        EXPECT_THAT(run.output, HasSubstr(bad.reason));
        EXPECT_EQ(connectedRows(run), -1);
    }
}
