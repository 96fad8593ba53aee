#include "ui/FileAccess.h"

#include "support/ScratchFolder.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using ::testing::Each;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

const std::vector<uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<uint8_t> kNew = {'n', 'e', 'w', '!'};

// A path's own kind and mode, and the bytes of the regular file it names.
std::string fingerprint(const std::string& path) {
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0) {
        return "nothing";
    }
    std::string print = std::to_string(own.st_mode) + " ";
    if (std::filesystem::is_regular_file(path)) {
        const std::vector<uint8_t> bytes = ScratchFolder::read(path);
        print.append(bytes.begin(), bytes.end());
    }
    return print;
}

} // namespace

// Every kind of path a user or a crafted file may name: read whole or refused at once (a FIFO
// without a writer must not block), written through links, refused untouched otherwise.
TEST(FileAccess, ReadsAndWritesRegularFilesThroughLinksAndRefusesEveryOtherKind) {
    ScratchFolder folder;
    const auto at = [&](const char* name) { return folder.file(name); };
    for (const char* name : {"plain", "locked", "real"}) {
        ScratchFolder::write(at(name), kOld);
    }
    ::chmod(at("locked").c_str(), 0444);
    ::mkfifo(at("fifo").c_str(), 0644);
    ::mkdir(at("folder").c_str(), 0755);
    for (const auto& [link, target] :
         {std::pair{"link", "real"}, {"dangling", "created"}, {"fifo-link", "fifo"}}) {
        ASSERT_EQ(::symlink(target, at(link).c_str()), 0);
    }
    const std::string notRegular = "Not a regular file", missing = "No such file or directory";
    using Result = FileAccess::WriteResult;
    const struct {
        std::string path;
        std::string readRefusal; // empty: the old bytes are read
        Result write;
        std::string writeRefusal;
        const char* writtenFile; // where a write lands
    } cases[] = {
        {at("plain"), "", Result::written, "", "plain"},
        {at("locked"), "", Result::refused, "The file is read-only", nullptr},
        {at("link"), "", Result::written, "", "real"},
        {at("dangling"), missing, Result::written, "", "created"},
        {at("fifo"), notRegular, Result::refused, notRegular, nullptr},
        {at("fifo-link"), notRegular, Result::refused, notRegular, nullptr},
        {"/dev/null", notRegular, Result::refused, notRegular, nullptr},
        {at("folder"), notRegular, Result::refused, notRegular, nullptr},
        {at("missing/doc"), missing, Result::refused, missing, nullptr},
    };
    ::alarm(20); // a read that blocks ends the test here instead of hanging it
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string before = fingerprint(c.path);
        const bool wasLink = std::filesystem::is_symlink(c.path);
        std::vector<uint8_t> bytes;
        std::string reason;
        EXPECT_EQ(FileAccess::readAll(c.path, 64, bytes, reason), c.readRefusal.empty());
        EXPECT_EQ(reason, c.readRefusal);
        EXPECT_EQ(bytes, c.readRefusal.empty() ? kOld : std::vector<uint8_t>{});

        reason.clear();
        EXPECT_EQ(FileAccess::writeAtomically(c.path, kNew, reason), c.write);
        EXPECT_EQ(reason, c.writeRefusal);
        EXPECT_EQ(std::filesystem::is_symlink(c.path), wasLink);
        if (c.writtenFile != nullptr) {
            EXPECT_EQ(ScratchFolder::read(at(c.writtenFile)), kNew);
        } else {
            EXPECT_EQ(fingerprint(c.path), before);
        }
    }
    ::alarm(0);
    EXPECT_THAT(folder.names(), Each(Not(StartsWith(".")))); // no temporary file left
}
