#include "tools/vtrctl/CommandLine.h"

#include "tools/vtrctl/NumberArgument.h"

#include <CLI/CLI.hpp>

#include <limits>
#include <string>
#include <vector>

namespace {

constexpr const char* usageText =
    "usage: vtrctl --tcp HOST[:PORT] [--slave N] [--timeout MS] [--retries N]\n"
    "              [--poll-delay MS] [--hex] [--count N [--interval MS]] [--stats]\n"
    "              [--trace] COMMAND ARGS...\n"
    "       vtrctl --rtu DEVICE [--baud N] [--parity none|odd|even] [--data-bits 7|8]\n"
    "              [--stop-bits 1|2] [--rs485-delay MS] [--slave N] ... COMMAND ARGS...\n"
    "       vtrctl --document FILE.vtr [--slave N] ... COMMAND ARGS...\n"
    "  read-coils REF COUNT              read-input-registers REF COUNT\n"
    "  write-single-coil REF VALUE       write-single-register REF VALUE\n"
    "  write-multiple-coils REF VALUE... write-multiple-registers REF VALUE...\n"
    "  show [--hex] [--json]             read the whole unit and print it\n"
    "  export FILE|-                     write the unit's KEPServerEX tag file\n"
    "  watch [PANEL...]                  follow the live values of configured channels\n"
    "  set BLOCK [FIELD=VALUE | VALUE]... write one configuration block as its dialog does\n"
    "  reset analog | reset digital PANEL\n"
    "       vtrctl ports [--json]\n"
    "       vtrctl scan --rtu DEVICE [--baud LIST] [--parity LIST] [--slave FIRST[-LAST]] [--all]\n"
    "       vtrctl scan --tcp ADDRESS[-LAST][:PORT] [--jobs N]    (both: [--json])\n"
    "Run 'vtrctl --help' for details.\n";

constexpr const char* helpFooter =
    "REF is the one-based Modbus reference (the wire address plus one). REF, COUNT and VALUE are\n"
    "decimal or 0x-hexadecimal. COUNT lies in 1..2000 for coils and 1..125 for registers; REF\n"
    "and coil values reach the master as typed, which answers values out of its range with\n"
    "error 1. A register VALUE must lie in -32768..0xFFFF (negative values are sent\n"
    "as two's complement); a coil VALUE is on when it is not 0.\n"
    "\n"
    "A read prints its values on one line, separated by single blanks: coils as 0 or 1,\n"
    "registers in decimal, or as 0x%04X with --hex. A write prints nothing.\n"
    "--count N repeats the operation N times on one connection (stopping early only when the\n"
    "connection is lost) and prints the values of the last read; --interval MS starts each\n"
    "repetition MS milliseconds after the start of the one before, as a poll loop does (a\n"
    "connection the unit closed while idle is opened again). --stats then prints on\n"
    "standard error the number of transactions and of failures, and the minimum, median, mean\n"
    "and maximum round-trip time in microseconds of the successful transactions, one\n"
    "'label value' line each. Ctrl+C ends the loop after the transaction under way, and the\n"
    "statistics are still printed; a second Ctrl+C ends the program at once.\n"
    "\n"
    "--trace prints every transaction on standard error as it ends, for any command: the time,\n"
    "read or write, the function code, the address range, the result code and its text, the\n"
    "round-trip time and, for the unit's blocks, the block with its fields decoded in the\n"
    "configuration tree's words; then the request (TX) and reply (RX) bytes in hex, from the\n"
    "function code on ('RX -' when no reply came).\n"
    "\n"
    "A failed operation prints 'error CODE: TEXT' on standard error (the master's error code\n"
    "and its text). Exit status: 0 success, 1 an operation or the connection failed, 2 usage\n"
    "error, 130 interrupted by Ctrl+C.\n"
    "\n"
    "show reads every block of a VTR300 as the program does on Connect (over TCP the unit is\n"
    "slave 1, over RTU the --slave address) and prints the program's configuration tree, one\n"
    "row per line, indented two blanks per level (numbers in hexadecimal with --hex); --json\n"
    "prints one member per block, null for a block that could not be read. Messages of the\n"
    "read go to standard error. Exit status: 0 all read, 1 the link failed or the unit could\n"
    "not be identified, 3 some blocks could not be read (the rest is printed).\n"
    "\n"
    "export and watch first read the whole unit as the program does on Connect; messages of\n"
    "that read go to standard error. export writes the KEPServerEX tag file of the unit's\n"
    "configured channels to FILE, replacing it only once the whole file is written, or to\n"
    "standard output for '-'; a failure prints its message and exits 1. watch reads the\n"
    "configured channels of each PANEL (a0 to a3 analog, d0 to d7 digital; default all) one at\n"
    "a time, 20 ms apart with 500 ms between passes, and prints a line whenever a value\n"
    "changes: 'HH:MM:SS.mmm analog P ch C input|output VALUE', the value in decimal (--hex:\n"
    "0x%04X for analog channels) or '(CODE, TEXT)' for a failed read. It stops after --count N\n"
    "passes, or on Ctrl+C.\n"
    "\n"
    "set writes one configuration block as the program's configuration dialogs do, after\n"
    "reading the whole unit: fields left out keep the unit's values. When the block could not\n"
    "be read, set writes nothing and exits 1 unless every field of the block is given.\n"
    "  set rtu [interface=rs232|rs485-2wire|rs485-4wire] [baud=1200..115200]\n"
    "          [parity=none|odd|even] [slave-high=0x00..0xF0]\n"
    "  set tcp INDEX [ip=A.B.C.D] [mask=A.B.C.D] [gateway=A.B.C.D] [keepalive=MS]\n"
    "          (INDEX 0: the primary interface, 1: the secondary one)\n"
    "  set scan-mode continuous|user-defined\n"
    "  set scan-parameters [interval=MS] [count=N] [list=ID,ID,...]\n"
    "  set analog-states PANEL STATE x16          (STATE: vacant|input|output)\n"
    "  set average-weight PANEL CHANNEL INDEX     (0..15: weight 2^INDEX)\n"
    "  set default-output PANEL CHANNEL VALUE     (-32768..32767 or 0x0000..0xFFFF)\n"
    "  set digital-states PANEL STATE x16\n"
    "  set digital-output PANEL CHANNEL 0|1\n"
    "reset analog resets every analog panel to factory defaults and reads the unit again after\n"
    "it restarts (exit 1 when that read fails); reset digital PANEL resets one digital panel.\n"
    "Every value is judged by the dialogs' rules before anything is sent, and must be a number\n"
    "as a whole; a refused one prints the dialog's message and exits 2. After the write the\n"
    "tree rows of the block are printed. A write or reset the unit refuses prints the\n"
    "\"Configure Error\" or \"Reset Error\" message and exits 1.\n"
    "\n"
    "ports needs no link: one line per serial device (ttyS with a UART, ttyUSB, ttyACM): its\n"
    "COM<n> aliases, mode and group, whether you can open it (else the command that fixes it),\n"
    "a lock file or process holding it, the USB adapter and the /dev/serial/by-id name.\n"
    "scan needs no link either. scan --rtu tries each baud rate and parity of the lists (the\n"
    "unit's 19200 even first) and each slave address (31 first) with a read of one register of\n"
    "the identity block, waiting the reply's wire time plus 40 ms, and stops at the first unit\n"
    "unless --all. scan --tcp connects to every address of the range (at most 4096, --jobs at\n"
    "once, 500 ms each) and reads the identity block of slave 1. Each unit found is printed\n"
    "with its serial number and firmware. Exit status: 0 a unit was found, 1 none.";

const char* argumentSyntax(ModbusCommand::Arguments arguments) {
    switch (arguments) {
    case ModbusCommand::Arguments::refCount:
        return "REF COUNT";
    case ModbusCommand::Arguments::refValue:
        return "REF VALUE";
    case ModbusCommand::Arguments::refValues:
        return "REF VALUE...";
    }
    return "";
}

struct CommandArguments {
    std::string ref;
    std::vector<std::string> values;
};

// The plain numeric options, kept as text until the whole line has been parsed.
struct NumericTexts {
    std::string slave = "1";
    std::string timeout = std::to_string(MbusMasterFunctions::defaultTimeoutMs);
    std::string retries = "0";
    std::string pollDelay = "0";
    std::string count = "1";
    std::string interval = "0";
};

bool parseNonNegative(const char* option, const std::string& text, int64_t highest, int64_t& value,
                      std::string& problem) {
    if (!NumberArgument::parse(text, value) || value < 0 || value > highest) {
        problem = std::string(option) + ": '" + text + "' is not a number from 0 to " +
                  std::to_string(highest);
        return false;
    }
    return true;
}

bool applyNumericTexts(const NumericTexts& texts, VtrctlOptions& options, std::string& problem) {
    constexpr int64_t largestInt = std::numeric_limits<int>::max();
    int64_t slave = 0;
    if (!NumberArgument::parse(texts.slave, slave)) {
        problem = "--slave: '" + texts.slave + "' is not a number";
        return false;
    }
    options.slave = NumberArgument::saturateToInt(slave);
    int64_t timeout = 0;
    int64_t retries = 0;
    int64_t pollDelay = 0;
    if (!parseNonNegative("--timeout", texts.timeout, largestInt, timeout, problem) ||
        !parseNonNegative("--retries", texts.retries, largestInt, retries, problem) ||
        !parseNonNegative("--poll-delay", texts.pollDelay, largestInt, pollDelay, problem) ||
        !parseNonNegative("--count", texts.count, std::numeric_limits<int64_t>::max(),
                          options.count, problem) ||
        !parseNonNegative("--interval", texts.interval, largestInt, options.intervalMs, problem)) {
        return false;
    }
    if (options.count < 1) {
        problem = "--count: at least one operation is needed";
        return false;
    }
    options.settings.timeoutMs = static_cast<int>(timeout);
    options.settings.retryCount = static_cast<int>(retries);
    options.settings.pollDelayMs = static_cast<int>(pollDelay);
    return true;
}

} // namespace

void CommandLine::printUsage(std::ostream& out) {
    out << usageText;
}

CommandLine::Outcome CommandLine::parse(int argc, const char* const* argv, VtrctlOptions& options,
                                        std::ostream& out, std::ostream& err) {
    CLI::App app("vtrctl: run one Modbus operation against a slave, for commissioning and "
                 "testing Modbus devices.",
                 "vtrctl");
    app.footer(helpFooter);
    app.set_version_flag("--version", std::string("vtrctl ") + VTR_VERSION,
                         "Print the version and exit");
    app.require_subcommand(1);

    NumericTexts texts;
    options.link.addTo(app);
    const CLI::Option* slaveOption =
        app.add_option("--slave", texts.slave,
                       "Modbus slave address (unit identifier), default 1 or the document's")
            ->type_name("N");
    app.add_option("--timeout", texts.timeout,
                   "Time-out of each wait in milliseconds, 0 for none, default 1000")
        ->type_name("MS");
    app.add_option("--retries", texts.retries, "Repetitions of a failed transaction, default 0")
        ->type_name("N");
    app.add_option("--poll-delay", texts.pollDelay,
                   "Least time from one transaction's start to the next, default 0")
        ->type_name("MS");
    app.add_flag("--hex", options.hex, "Print registers as 0x%04X");
    const CLI::Option* countOption =
        app.add_option("--count", texts.count,
                       "Run the operation N times on one connection (watch: N passes)")
            ->type_name("N");
    app.add_option("--interval", texts.interval,
                   "With --count: start each repetition MS after the one before, default 0")
        ->type_name("MS");
    app.add_flag("--stats", options.stats, "Print transaction statistics on standard error");
    app.add_flag("--trace", options.trace,
                 "Print every transaction on standard error with its meaning and bytes");

    const auto& descriptions = ModbusCommand::descriptions();
    std::vector<CommandArguments> arguments(descriptions.size());
    std::vector<CLI::App*> commands;
    for (size_t i = 0; i < descriptions.size(); ++i) {
        const auto& description = descriptions[i];
        CLI::App* command = app.add_subcommand(description.name,
                                               std::string(argumentSyntax(description.arguments)) +
                                                   ": " + description.help);
        command->fallthrough();
        command->add_option("REF", arguments[i].ref, "One-based reference")->required();
        switch (description.arguments) {
        case ModbusCommand::Arguments::refCount:
            command->add_option("COUNT", arguments[i].values, "Number of items")
                ->required()
                ->expected(1);
            break;
        case ModbusCommand::Arguments::refValue:
            command->add_option("VALUE", arguments[i].values, "Value to write")
                ->required()
                ->expected(1);
            break;
        case ModbusCommand::Arguments::refValues:
            command->add_option("VALUE", arguments[i].values, "Values to write, one per item")
                ->required();
            break;
        }
        commands.push_back(command);
    }

    CLI::App* show = app.add_subcommand("show", "Read the whole unit and print it");
    show->fallthrough();
    bool json = false;
    show->add_flag("--json", json, "Print the unit's blocks as JSON");
    CLI::App* exportCommand =
        app.add_subcommand("export", "FILE: write the unit's KEPServerEX tag file");
    exportCommand->fallthrough();
    exportCommand->add_option("FILE", options.exportTags.path, "The file, or - for standard output")
        ->required();
    CLI::App* watchCommand =
        app.add_subcommand("watch", "[PANEL...]: follow the live values of configured channels");
    watchCommand->fallthrough();
    std::vector<std::string> watchedPanels;
    watchCommand->add_option("PANEL", watchedPanels, "a0 to a3, d0 to d7; default all panels");

    CLI::App* set = app.add_subcommand("set", "Write one configuration block of a VTR300");
    set->fallthrough();
    set->add_option("BLOCK", options.configure.words, "The block, then its fields")->required();
    CLI::App* reset = app.add_subcommand("reset", "Reset analog or one digital panel");
    reset->fallthrough();
    reset->add_option("WHAT", options.configure.words, "analog, or digital PANEL")->required();
    options.ports.addTo(app);
    options.scan.addTo(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        app.exit(help, out, err);
        return Outcome::helpShown;
    } catch (const CLI::CallForVersion& version) {
        app.exit(version, out, err);
        return Outcome::helpShown;
    } catch (const CLI::ParseError& error) {
        // A word the parser could not place is what went wrong, even when the parser first
        // noticed something else (no command after an unknown option).
        const std::vector<std::string> unplaced = app.remaining();
        if (unplaced.empty()) {
            err << "vtrctl: " << error.what() << '\n';
        } else {
            err << "vtrctl: '" << unplaced.front() << "' is not an option or command\n";
        }
        printUsage(err);
        return Outcome::usageError;
    }

    if (options.ports.requested() || options.scan.requested()) {
        std::string problem;
        if (options.scan.requested() && !options.scan.check(problem)) {
            err << "vtrctl: " << problem << '\n';
            printUsage(err);
            return Outcome::usageError;
        }
        return Outcome::run;
    }
    options.show.requested = show->parsed();
    options.show.format = json ? ShowCommand::Format::json : ShowCommand::Format::tree;
    if (set->parsed() || reset->parsed()) {
        options.configure.kind =
            set->parsed() ? ConfigureCommand::Kind::set : ConfigureCommand::Kind::reset;
        std::string refused;
        if (!options.configure.check(refused)) {
            // The dialogs' messages stand on their own, without the usage summary.
            err << "vtrctl: " << refused << '\n';
            return Outcome::usageError;
        }
    }
    std::string problem;
    bool ok = options.link.check(problem);
    if (ok && options.link.documentSlave() && slaveOption->count() == 0) {
        texts.slave = std::to_string(*options.link.documentSlave());
    }
    ok = ok && applyNumericTexts(texts, options, problem);
    options.exportTags.requested = exportCommand->parsed();
    if (ok && options.exportTags.requested && options.exportTags.path.empty()) {
        problem = "export: FILE is empty (- writes to standard output)";
        ok = false;
    }
    options.watch.requested = watchCommand->parsed();
    options.watch.passes = countOption->count() != 0 ? options.count : 0;
    for (const std::string& name : watchedPanels) {
        LiveWatch::Panel panel{};
        if (ok && !LiveWatch::parsePanel(name, panel)) {
            problem = "watch: '" + name + "' is not a panel (a0 to a3, d0 to d7)";
            ok = false;
        }
        options.watch.panels.push_back(panel);
    }
    for (size_t i = 0; ok && i < commands.size(); ++i) {
        if (commands[i]->parsed()) {
            ok = options.command.set(descriptions[i].kind, arguments[i].ref, arguments[i].values,
                                     problem);
        }
    }
    if (!ok) {
        err << "vtrctl: " << problem << '\n';
        printUsage(err);
        return Outcome::usageError;
    }
    return Outcome::run;
}
