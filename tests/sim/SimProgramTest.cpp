#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int waitMs = 10000;

// vtr300-sim run as a child process with its output captured.
class Program {
public:
    explicit Program(std::vector<std::string> arguments) {
        int out[2];
        int err[2];
        if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::dup2(err[1], STDERR_FILENO);
            std::vector<char*> argv;
            static std::string program = VTR300_SIM_PATH;
            argv.push_back(program.data());
            for (std::string& argument : arguments) {
                argv.push_back(argument.data());
            }
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(out[1]);
        ::close(err[1]);
        out_ = out[0];
        err_ = err[0];
    }
    ~Program() {
        if (pid_ > 0 && status_ < 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(out_);
        ::close(err_);
    }

    // The next line of standard output, or "" after waitMs.
    std::string readLine() { return readLineFrom(out_, outBuffer_); }
    std::string readError() { return readLineFrom(err_, errBuffer_); }

    void signal(int number) { ::kill(pid_, number); }
    // Exit status after the signal, -1 when it did not exit in time.
    int stopWith(int signal) {
        ::kill(pid_, signal);
        return waitExit();
    }
    int waitExit() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        int status = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                return status_;
            }
            ::usleep(10000);
        }
        return -1;
    }

private:
    static std::string readLineFrom(int fd, std::string& buffer) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
        while (buffer.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd ready{fd, POLLIN, 0};
            if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0) {
                return "";
            }
            char chunk[256];
            const ssize_t count = ::read(fd, chunk, sizeof chunk);
            if (count <= 0) {
                return "";
            }
            buffer.append(chunk, static_cast<size_t>(count));
        }
        const size_t end = buffer.find('\n');
        std::string line = buffer.substr(0, end);
        buffer.erase(0, end + 1);
        return line;
    }

    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    int status_ = -1;
    std::string outBuffer_;
    std::string errBuffer_;
};

std::vector<uint8_t> exchange(int fd, const std::vector<uint8_t>& request, size_t replySize) {
    EXPECT_EQ(::write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    std::vector<uint8_t> reply;
    while (reply.size() < replySize) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, waitMs) <= 0) {
            break;
        }
        uint8_t chunk[300];
        const ssize_t count = ::read(fd, chunk, std::min(sizeof chunk, replySize - reply.size()));
        if (count <= 0) {
            break;
        }
        reply.insert(reply.end(), chunk, chunk + count);
    }
    return reply;
}

std::string temporaryFolder() {
    std::string folder = ::testing::TempDir() + "vtr300-sim-XXXXXX";
    return ::mkdtemp(folder.data()) ? folder : std::string();
}

} // namespace

TEST(Vtr300SimProgram, ServesTcpWithItsFaultsUntilSigterm) {
    Program sim({"--tcp", "127.0.0.1:0", "--fault", "exception:0x1200=4", "--fault-cycle", "none",
                 "--verbose"});
    const std::string banner = sim.readLine();
    const std::string prefix = "vtr300-sim: Modbus TCP on 127.0.0.1:";
    ASSERT_EQ(banner.rfind(prefix, 0), 0u) << banner;
    const int port = std::stoi(banner.substr(prefix.size()));

    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // Transaction 1, protocol 0, length 6, unit 1, fn 4, address 0x1200, count 1 -> exception 4.
    const std::vector<uint8_t> readStatus = {0x00, 0x01, 0x00, 0x00, 0x00, 0x06,
                                             0x01, 0x04, 0x12, 0x00, 0x00, 0x01};
    EXPECT_EQ(exchange(fd, readStatus, 9),
              (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x00, 0x00, 0x03, 0x01, 0x84, 0x04}));
    EXPECT_EQ(sim.readLine(),
              "TCP request  00 01 00 00 00 06 01 04 12 00 00 01  [Status Register]");
    EXPECT_EQ(sim.readLine(), "TCP reply    00 01 00 00 00 03 01 84 04  [Status Register]");

    // SIGUSR1 steps to the next set of the fault cycle: none. Length 5, fn 4, 2 bytes, status 0.
    sim.signal(SIGUSR1);
    EXPECT_EQ(sim.readLine(), "vtr300-sim: faults now none");
    EXPECT_EQ(
        exchange(fd, readStatus, 11),
        (std::vector<uint8_t>{0x00, 0x01, 0x00, 0x00, 0x00, 0x05, 0x01, 0x04, 0x02, 0x00, 0x00}));
    ::close(fd);
    EXPECT_EQ(sim.stopWith(SIGTERM), 0);
}

TEST(Vtr300SimProgram, ServesRtuOnALinkedPseudoTerminalUntilSigint) {
    const std::string folder = temporaryFolder();
    ASSERT_FALSE(folder.empty());
    const std::string link = folder + "/COM7";
    Program sim({"--rtu-pty", link, "--slave", "5", "--profile",
                 std::string(VTR_EXAMPLES_DIR) + "/vtr300-minimal.json"});
    EXPECT_EQ(sim.readLine().rfind("vtr300-sim: Modbus RTU on /dev/pts/", 0), 0u);
    const int fd = ::open(link.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    // The unit's line: 19200 baud, even parity (the pty keeps the parity check, not PARENB).
    termios settings{};
    ::tcgetattr(fd, &settings);
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B19200);
    ::cfsetospeed(&settings, B19200);
    settings.c_cflag |= PARENB;
    settings.c_iflag |= INPCK;
    ::tcsetattr(fd, TCSANOW, &settings);
    // Slave 5 (--slave 5: high nibble 0, low nibble 5), fn 4, address 0x1204, count 1, CRC ->
    // slave 5, fn 4, 2 bytes, scan mode 0 (continuous in the minimal profile), CRC.
    EXPECT_EQ(exchange(fd, {0x05, 0x04, 0x12, 0x04, 0x00, 0x01, 0x74, 0xF7}, 7),
              (std::vector<uint8_t>{0x05, 0x04, 0x02, 0x00, 0x00, 0x48, 0xF0}));
    ::close(fd);
    EXPECT_EQ(sim.stopWith(SIGINT), 0);
    EXPECT_NE(::access(link.c_str(), F_OK), 0); // the link goes with the program
    ::rmdir(folder.c_str());
}

TEST(Vtr300SimProgram, RefusesAMalformedProfileNamingFileAndField) {
    const std::string folder = temporaryFolder();
    ASSERT_FALSE(folder.empty());
    const std::string path = folder + "/bad.json";
    std::ofstream(path) << R"({"scan": {"mode": "sometimes"}})";
    Program sim({"--profile", path});
    EXPECT_EQ(sim.waitExit(), 1);
    EXPECT_EQ(sim.readError(), "vtr300-sim: " + path +
                                   ": field \"scan.mode\": expected one of \"continuous\", "
                                   "\"user-defined\"");
    ::unlink(path.c_str());
    ::rmdir(folder.c_str());
}

TEST(Vtr300SimProgram, RefusesBadArgumentsWithAReason) {
    const std::string folder = temporaryFolder();
    ASSERT_FALSE(folder.empty());
    const std::string fifo = folder + "/profile.fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    } cases[] = {
        {{"--fault", "sometimes"}, 1, "bad fault \"sometimes\": unknown fault (see --help)"},
        {{"--profile", ""}, 1, "the profile file name is empty"},
        {{"--profile", fifo}, 1, fifo + ": not a regular file"},
        {{"--rtu", ""}, 1, "--rtu needs a serial device path"},
        {{"--tcp", "[::1]:1502"},
         1,
         "--tcp expects [HOST:]PORT with a host name or dotted IPv4 address (IPv6 is not "
         "supported), got \"[::1]:1502\""},
        {{"--tcp", "no.such.host.invalid:0"},
         2,
         "cannot serve Modbus TCP on no.such.host.invalid:0: the name no.such.host.invalid does "
         "not resolve to an IPv4 address"},
    };
    for (const auto& c : cases) {
        Program sim(c.arguments);
        EXPECT_EQ(sim.waitExit(), c.status) << c.message;
        EXPECT_EQ(sim.readError(), "vtr300-sim: " + c.message);
    }
    ::unlink(fifo.c_str());
    ::rmdir(folder.c_str());
}
