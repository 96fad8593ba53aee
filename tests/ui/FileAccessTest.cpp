#include "ui/FileAccess.h"

#include "support/ScratchFolder.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using ::testing::Each;
using ::testing::Not;
using ::testing::StartsWith;

namespace {

const std::vector<uint8_t> kOld = {'o', 'l', 'd'};
const std::vector<uint8_t> kNew = {'n', 'e', 'w', '!'};

// What a path is, by its own kind and mode, and what it holds when it names a regular file.
std::string fingerprint(const std::string& path) {
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0) {
        return "nothing";
    }
    std::string print = std::to_string(own.st_mode);
    struct stat named {};
    if (::stat(path.c_str(), &named) == 0 && S_ISREG(named.st_mode)) {
        const std::vector<uint8_t> bytes = ScratchFolder::read(path);
        print += " " + std::string(bytes.begin(), bytes.end());
    }
    return print;
}

} // namespace

// Every kind of path a user or a crafted setting may name: read whole or refused at once (a
// FIFO without a writer must not block), written through links, refused untouched otherwise.
TEST(FileAccess, ReadsAndWritesRegularFilesThroughLinksAndRefusesEveryOtherKind) {
    ScratchFolder folder;
    const auto at = [&](const char* name) { return folder.file(name); };
    const auto old = [&](const char* name) {
        ScratchFolder::write(folder.file(name), kOld);
        return folder.file(name);
    };
    const auto linkTo = [&](const char* name, const char* target) {
        EXPECT_EQ(::symlink(target, folder.file(name).c_str()), 0);
        return folder.file(name);
    };
    using Result = FileAccess::WriteResult;
    const struct {
        const char* kind;
        std::function<std::string()> make;
        const char* readRefusal; // null: the old bytes are read
        Result write;
        const char* writeRefusal;
        const char* writtenFile; // where a write lands
    } cases[] = {
        {"regular file", [&] { return old("plain.vtr"); }, nullptr, Result::written, "",
         "plain.vtr"},
        {"read-only file",
         [&] {
             ::chmod(old("locked.vtr").c_str(), 0444);
             return at("locked.vtr");
         },
         nullptr, Result::refused, "The file is read-only", ""},
        {"symbolic link",
         [&] {
             old("real.vtr");
             return linkTo("link.vtr", "real.vtr");
         },
         nullptr, Result::written, "", "real.vtr"},
        {"dangling link", [&] { return linkTo("dangling.vtr", "created.vtr"); },
         "No such file or directory", Result::written, "", "created.vtr"},
        {"FIFO",
         [&] {
             ::mkfifo(at("pipe.vtr").c_str(), 0644);
             return at("pipe.vtr");
         },
         "Not a regular file", Result::refused, "Not a regular file", ""},
        {"link to a FIFO", [&] { return linkTo("pipe-link.vtr", "pipe.vtr"); },
         "Not a regular file", Result::refused, "Not a regular file", ""},
        {"device node", [] { return std::string("/dev/null"); }, "Not a regular file",
         Result::refused, "Not a regular file", ""},
        {"directory",
         [&] {
             ::mkdir(at("folder.vtr").c_str(), 0755);
             return at("folder.vtr");
         },
         "Not a regular file", Result::refused, "Not a regular file", ""},
        {"missing folder", [&] { return at("missing/doc.vtr"); }, "No such file or directory",
         Result::refused, "No such file or directory", ""},
    };
    // A read that blocks ends the test here instead of hanging it.
    ::alarm(20);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const std::string path = c.make();
        const std::string before = fingerprint(path);
        const bool wasLink = std::filesystem::is_symlink(path);

        std::vector<uint8_t> bytes;
        std::string reason;
        EXPECT_EQ(FileAccess::readAll(path, 64, bytes, reason), c.readRefusal == nullptr);
        EXPECT_EQ(c.readRefusal == nullptr ? kOld : std::vector<uint8_t>{}, bytes);
        EXPECT_EQ(reason, c.readRefusal == nullptr ? "" : c.readRefusal);

        reason.clear();
        EXPECT_EQ(FileAccess::writeAtomically(path, kNew, reason), c.write);
        EXPECT_EQ(reason, c.writeRefusal);
        if (c.write == Result::written) {
            EXPECT_EQ(ScratchFolder::read(at(c.writtenFile)), kNew);
            EXPECT_EQ(std::filesystem::is_symlink(path), wasLink); // a link stays one
        } else {
            EXPECT_EQ(fingerprint(path), before);
        }
    }
    ::alarm(0);
    EXPECT_THAT(folder.names(), Each(Not(StartsWith(".")))); // no temporary file left
}
