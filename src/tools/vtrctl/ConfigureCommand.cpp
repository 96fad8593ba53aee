#include "tools/vtrctl/ConfigureCommand.h"

#include "device/CVtrConfigDoc.h"
#include "device/ChannelState.h"
#include "device/ConfigureMessages.h"
#include "dialogs/CCfgAnaOutOptsDlg.h"
#include "dialogs/CCfgAnaScanParmsDlg.h"
#include "dialogs/CCfgTcpParmsDlg.h"
#include "dialogs/ChoiceTexts.h"
#include "dialogs/GroupCaption.h"
#include "dialogs/NumberParsers.h"
#include "dialogs/ScanListText.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tools/vtrctl/NumberArgument.h"
#include "tools/vtrctl/VtrctlProgram.h"
#include "tree/CVtrConfigView.h"
#include "ui/HeadlessBackend.h"
#include "ui/UiConstants.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <thread>

namespace {

// How long the unit takes to restart after an analog reset.
constexpr int kBootWaitMs = 3000;

// The document, given the link that vtrctl has opened in place of opening one itself.
class LinkedDocument : public CVtrConfigDoc {
public:
    using CVtrConfigDoc::useOpenLink;
};

using Words = std::vector<std::string>;

// Command-line names of the choice lists' entries, position = stored code.
constexpr const char* kInterfaceNames[] = {"rs232", "rs485-2wire", "rs485-4wire"};
constexpr const char* kParityNames[] = {"none", "odd", "even"};
constexpr const char* kScanModeNames[] = {"continuous", "user-defined"};
constexpr const char* kStateNames[] = {"vacant", "input", "output"};

std::string joined(std::span<const char* const> names) {
    std::string text;
    for (const char* name : names) {
        text += (text.empty() ? "" : "|") + std::string(name);
    }
    return text;
}

// The position of `word` among `names`, or nothing.
std::optional<uint16_t> choice(const std::string& word, std::span<const char* const> names) {
    const auto found = std::find(names.begin(), names.end(), word);
    if (found == names.end()) {
        return std::nullopt;
    }
    return static_cast<uint16_t>(found - names.begin());
}

bool refuseChoice(const char* what, const std::string& word, std::span<const char* const> names,
                  std::string& problem) {
    problem = std::string(what) + ": '" + word + "' is not one of " + joined(names);
    return false;
}

// KEY=VALUE words; false for a word without '=' or with a key not in `keys`, or a key given
// twice.
bool keyValues(std::span<const std::string> words, std::initializer_list<const char*> keys,
               std::map<std::string, std::string>& values, std::string& problem) {
    for (const std::string& word : words) {
        const size_t equals = word.find('=');
        const std::string key = word.substr(0, equals);
        if (equals == std::string::npos ||
            std::none_of(keys.begin(), keys.end(), [&](const char* k) { return key == k; })) {
            problem = "'" + word + "' is not one of";
            for (const char* k : keys) {
                problem += std::string(" ") + k + "=";
            }
            return false;
        }
        if (!values.emplace(key, word.substr(equals + 1)).second) {
            problem = key + " is given twice";
            return false;
        }
    }
    return true;
}

// A number judged by one of the dialogs' parsers. The dialogs read a number from the start of a
// box's text and ignore what follows it; a word on the command line must be a number as a
// whole, so that "1e3" or "5x" is refused rather than written as 1 or 5, and "-0x1" rather than
// as 0.
template <typename T>
int wholeNumber(int (*parse)(const std::string&, T&), const std::string& word, T& value) {
    int64_t whole = 0;
    if (!NumberArgument::parse(word, whole)) {
        return ParseNotNumber;
    }
    T parsed{};
    const int result = parse(word, parsed);
    if (result != ParseOk) {
        return result;
    }
    // A 16-bit field typed in hexadecimal holds its bit pattern: 0x8000 is -32768.
    if (whole != static_cast<int64_t>(parsed) &&
        (whole < 0 || whole != static_cast<uint16_t>(parsed))) {
        return ParseNotNumber;
    }
    value = parsed;
    return ParseOk;
}

// The position of the first scan list entry that is not a number as a whole, or -1. Entries
// are parted by commas or semicolons and may have blanks around them, as in the dialog.
int firstPartialListEntry(const std::string& list) {
    constexpr const char* blanks = " \t";
    int position = 0;
    for (size_t start = 0; !list.empty() && start <= list.size(); ++position) {
        const size_t end = std::min(list.find_first_of(",;", start), list.size());
        const std::string entry = list.substr(start, end - start);
        const size_t first = entry.find_first_not_of(blanks);
        int64_t id = 0;
        if (first == std::string::npos ||
            !NumberArgument::parse(entry.substr(first, entry.find_last_not_of(blanks) - first + 1),
                                   id)) {
            return position;
        }
        start = end + 1;
    }
    return -1;
}

// A panel or channel number: decimal or 0x, from 0 to `last`.
bool number(const std::string& word, int last, const char* what, int& value, std::string& problem) {
    uint8_t parsed = 0;
    if (wholeNumber(ParseUInt8, word, parsed) != ParseOk || parsed > last) {
        problem = std::string(what) + ": '" + word + "' is not a number from 0 to " +
                  std::to_string(last);
        return false;
    }
    value = parsed;
    return true;
}

// An address typed A.B.C.D, each octet judged as the dialog judges its box.
bool octets(const std::string& text, std::array<uint8_t, 4>& address, const char* message,
            std::string& problem) {
    size_t start = 0;
    for (size_t i = 0; i < address.size(); ++i) {
        const size_t dot = text.find('.', start);
        const bool last = i + 1 == address.size();
        if ((dot == std::string::npos) != last ||
            wholeNumber(ParseUInt8, text.substr(start, last ? std::string::npos : dot - start),
                        address[i]) != ParseOk) {
            problem = message;
            return false;
        }
        start = dot + 1;
    }
    return true;
}

bool states(std::span<const std::string> words, DeviceImage::PanelStates& result,
            std::string& problem) {
    if (words.size() != result.size()) {
        problem = "16 channel states are needed, one per channel: " + joined(kStateNames);
        return false;
    }
    for (size_t channel = 0; channel < result.size(); ++channel) {
        const auto state = choice(words[channel], kStateNames);
        if (!state) {
            return refuseChoice("state", words[channel], kStateNames, problem);
        }
        result[channel] = static_cast<int16_t>(*state);
    }
    return true;
}

std::string channelRow(int channel) {
    char text[16];
    std::snprintf(text, sizeof text, "Channel %-2d:", channel);
    return text;
}

// Prints the row at the end of `path` (each step a row-text prefix, looked for below the
// previous one) with everything below it; as far as the path leads when a row is missing.
void printRows(const std::vector<CTreeCtrl::Row>& rows, const std::vector<std::string>& path,
               std::ostream& out) {
    size_t found = rows.size();
    size_t from = 0;
    size_t end = rows.size();
    for (const std::string& step : path) {
        size_t match = end;
        for (size_t i = from; i < end; ++i) {
            if (rows[i].text.rfind(step, 0) == 0) {
                match = i;
                break;
            }
        }
        if (match == end) {
            break;
        }
        found = match;
        from = match + 1;
        end = from;
        while (end < rows.size() && rows[end].depth > rows[match].depth) {
            ++end;
        }
    }
    if (found == rows.size()) {
        return;
    }
    for (size_t i = found; i < end; ++i) {
        out << std::string(2 * static_cast<size_t>(rows[i].depth - rows[found].depth), ' ')
            << rows[i].text << '\n';
    }
}

} // namespace

bool ConfigureCommand::check(std::string& problem) {
    if (words.empty()) {
        problem = kind == Kind::set ? "set: which block?" : "reset: analog or digital?";
        return false;
    }
    return kind == Kind::set ? checkSet(problem) : checkReset(problem);
}

bool ConfigureCommand::checkReset(std::string& problem) {
    int panel = 0;
    if (words[0] == "analog" && words.size() == 1) {
        m_write = [](CVtrConfigDoc& doc) { doc.resetAnalogPanels(); };
        m_rows = {"Analog Configuration"};
        m_rebootAfter = true;
        return true;
    }
    if (words[0] == "digital" && words.size() == 2 &&
        number(words[1], PanelLayout::digitalPanels - 1, "PANEL", panel, problem)) {
        m_write = [panel](CVtrConfigDoc& doc) { doc.resetDigitalPanel(panel); };
        m_rows = {"Digital Configuration", DigitalPanelCaption(panel)};
        return true;
    }
    if (problem.empty()) {
        problem = "reset: 'analog' or 'digital PANEL'";
    }
    return false;
}

void ConfigureCommand::fillFrom(DeviceBlock block, bool everyFieldGiven, const char* fields,
                                std::function<bool(CVtrConfigDoc&)> read) {
    m_canFill = [everyFieldGiven, read](CVtrConfigDoc& doc) {
        return everyFieldGiven || read(doc);
    };
    m_unreadBlock = std::string("set: ") + RegisterMap::label(block) +
                    " could not be read, so the fields left out are not known; nothing was "
                    "written. Give " +
                    fields + " to write the whole block.";
}

bool ConfigureCommand::checkSet(std::string& problem) {
    const std::string& block = words[0];
    const std::span<const std::string> rest(words.begin() + 1, words.end());
    std::map<std::string, std::string> values;
    int panel = 0;
    int channel = 0;

    if (block == "rtu") {
        if (!keyValues(rest, {"interface", "baud", "parity", "slave-high"}, values, problem)) {
            return false;
        }
        std::optional<uint16_t> interface, baud, parity;
        std::optional<uint8_t> slaveHigh;
        if (values.count("interface") &&
            !(interface = choice(values["interface"], kInterfaceNames))) {
            return refuseChoice("interface", values["interface"], kInterfaceNames, problem);
        }
        if (values.count("baud") && !(baud = choice(values["baud"], ChoiceTexts::baudRate))) {
            return refuseChoice("baud", values["baud"], ChoiceTexts::baudRate, problem);
        }
        if (values.count("parity") && !(parity = choice(values["parity"], kParityNames))) {
            return refuseChoice("parity", values["parity"], kParityNames, problem);
        }
        if (values.count("slave-high")) {
            // The unit takes only the upper four bits of its slave ID by Modbus.
            uint8_t high = 0;
            if (wholeNumber(ParseUInt8, values["slave-high"], high) != ParseOk ||
                (high & 0x0F) != 0) {
                problem =
                    "slave-high: '" + values["slave-high"] + "' is not one of 0x00, 0x10 .. 0xF0";
                return false;
            }
            slaveHigh = high;
        }
        m_write = [=](CVtrConfigDoc& doc) {
            RtuConfig config = doc.initialRtuConfig();
            config.serialInterface = interface.value_or(config.serialInterface);
            config.baudIndex = baud.value_or(config.baudIndex);
            config.parityIndex = parity.value_or(config.parityIndex);
            config.slaveIdHigh =
                slaveHigh.value_or(static_cast<uint8_t>(config.slaveIdHigh & 0xF0));
            doc.writeRtuConfiguration(config);
        };
        m_rows = {"Interface Configuration", ConfigureMessages::rtuLabel};
        m_rtuInterface = true;
        fillFrom(DeviceBlock::rtuConfiguration, interface && baud && parity && slaveHigh,
                 "interface=, baud=, parity= and slave-high=", [](CVtrConfigDoc& doc) {
                     return doc.getRtuConfig() != nullptr;
                 });
        return true;
    }

    if (block == "tcp") {
        int index = 0;
        if (rest.empty() || !number(rest[0], 1, "INDEX", index, problem) ||
            !keyValues(rest.subspan(1), {"ip", "mask", "gateway", "keepalive"}, values, problem)) {
            if (problem.empty()) {
                problem = "set tcp: INDEX (0 primary, 1 secondary) is needed";
            }
            return false;
        }
        std::optional<std::array<uint8_t, 4>> ip, mask, gateway;
        std::optional<uint16_t> keepalive;
        const auto address = [&](const char* key, const char* message,
                                 std::optional<std::array<uint8_t, 4>>& field) {
            if (!values.count(key)) {
                return true;
            }
            std::array<uint8_t, 4> parsed{};
            if (!octets(values[key], parsed, message, problem)) {
                return false;
            }
            field = parsed;
            return true;
        };
        if (!address("ip", CCfgTcpParmsDlg::ipAddressMessage, ip) ||
            !address("mask", CCfgTcpParmsDlg::subnetMaskMessage, mask) ||
            !address("gateway", CCfgTcpParmsDlg::gatewayMessage, gateway)) {
            return false;
        }
        if (values.count("keepalive")) {
            uint16_t parsed = 0;
            if (wholeNumber(ParseUInt16, values["keepalive"], parsed) != ParseOk) {
                problem = CCfgTcpParmsDlg::keepaliveMessage;
                return false;
            }
            keepalive = parsed;
        }
        m_write = [=](CVtrConfigDoc& doc) {
            TcpConfig config = doc.initialTcpConfig(index);
            config.ipAddress = ip.value_or(config.ipAddress);
            config.subnetMask = mask.value_or(config.subnetMask);
            config.gateway = gateway.value_or(config.gateway);
            config.keepaliveMs = keepalive.value_or(config.keepaliveMs);
            doc.writeTcpConfiguration(index, config);
        };
        m_rows = {"Interface Configuration",
                  index == 0 ? "Modbus TCP Parameters" : "Modbus TCP Parameters (Secondary)"};
        fillFrom(index == 0 ? DeviceBlock::tcpConfiguration : DeviceBlock::tcpConfiguration2,
                 ip && mask && gateway && keepalive, "ip=, mask=, gateway= and keepalive=",
                 [index](CVtrConfigDoc& doc) { return doc.getTcpConfig(index) != nullptr; });
        return true;
    }

    if (block == "scan-mode") {
        const auto mode = rest.size() == 1 ? choice(rest[0], kScanModeNames) : std::nullopt;
        if (!mode) {
            return refuseChoice("scan-mode", rest.empty() ? "" : rest[0], kScanModeNames, problem);
        }
        m_write = [mode](CVtrConfigDoc& doc) { doc.writeScanMode(*mode); };
        m_rows = {"Analog Configuration", "Scan Mode = "};
        return true;
    }

    if (block == "scan-parameters") {
        if (!keyValues(rest, {"interval", "count", "list"}, values, problem)) {
            return false;
        }
        std::optional<uint16_t> interval, count;
        uint16_t parsed = 0;
        if (values.count("interval")) {
            if (wholeNumber(ParseUInt16, values["interval"], parsed) != ParseOk) {
                problem = CCfgAnaScanParmsDlg::intervalMessage;
                return false;
            }
            interval = parsed;
        }
        if (values.count("count")) {
            if (wholeNumber(ParseUInt16, values["count"], parsed) != ParseOk) {
                problem = CCfgAnaScanParmsDlg::countMessage;
                return false;
            }
            count = parsed;
        }
        std::optional<std::string> list;
        if (values.count("list")) {
            ScanParameters scratch;
            ScanListText::Result result = ScanListText::parse(values["list"], scratch);
            const int partial = firstPartialListEntry(values["list"]);
            if (result.kind == ScanListText::Result::Accepted && partial >= 0) {
                result = {ScanListText::Result::InvalidEntry, partial};
            }
            if (result.kind != ScanListText::Result::Accepted) {
                problem = ScanListText::message(result);
                return false;
            }
            list = values["list"];
        }
        m_write = [=](CVtrConfigDoc& doc) {
            ScanParameters parameters = doc.initialScanParameters();
            parameters.scanIntervalMs = interval.value_or(parameters.scanIntervalMs);
            parameters.scanCount = count.value_or(parameters.scanCount);
            if (list) {
                ScanListText::parse(*list, parameters);
            }
            doc.writeScanParameters(parameters);
        };
        m_rows = {"Analog Configuration", "Scan Mode = "};
        fillFrom(DeviceBlock::scanParameters, interval && count && list,
                 "interval=, count= and list=", [](CVtrConfigDoc& doc) {
                     // A refresh reads the scan parameters only while the unit uses them.
                     if (doc.getScanParameters() == nullptr) {
                         doc.readScanParameters();
                     }
                     return doc.getScanParameters() != nullptr;
                 });
        return true;
    }

    const bool analog =
        block == "analog-states" || block == "average-weight" || block == "default-output";
    const bool digital = block == "digital-states" || block == "digital-output";
    if (!analog && !digital) {
        problem = "set: '" + block +
                  "' is not one of rtu, tcp, scan-mode, scan-parameters, analog-states, "
                  "average-weight, default-output, digital-states, digital-output";
        return false;
    }
    const int lastPanel = (analog ? PanelLayout::analogPanels : PanelLayout::digitalPanels) - 1;
    if (rest.empty() || !number(rest[0], lastPanel, "PANEL", panel, problem)) {
        if (problem.empty()) {
            problem = "set " + block + ": PANEL is needed";
        }
        return false;
    }
    m_rows = {analog ? "Analog Configuration" : "Digital Configuration",
              analog ? AnalogPanelCaption(panel) : DigitalPanelCaption(panel)};
    const std::span<const std::string> args = rest.subspan(1);

    if (block == "analog-states" || block == "digital-states") {
        DeviceImage::PanelStates newStates{};
        if (!states(args, newStates, problem)) {
            return false;
        }
        m_write = [=](CVtrConfigDoc& doc) {
            if (analog) {
                doc.writeAnalogChannelStates(panel, newStates);
            } else {
                doc.writeDigitalChannelStates(panel, newStates);
            }
        };
        return true;
    }

    if (args.size() != 2) {
        problem = "set " + block + ": PANEL CHANNEL VALUE";
        return false;
    }
    if (!number(args[0], PanelLayout::channelsPerPanel - 1, "CHANNEL", channel, problem)) {
        return false;
    }
    m_rows.push_back(channelRow(channel));
    const std::string& value = args[1];

    if (block == "average-weight") {
        uint16_t index = 0;
        if (wholeNumber(ParseUInt16, value, index) != ParseOk || index > 15) {
            problem = "average-weight: INDEX '" + value + "' is not a number from 0 to 15";
            return false;
        }
        m_write = [=](CVtrConfigDoc& doc) { doc.writeAverageWeight(panel, channel, index); };
        return true;
    }
    if (block == "default-output") {
        int16_t output = 0;
        if (wholeNumber(ParseInt16, value, output) != ParseOk) {
            problem = CCfgAnaOutOptsDlg::defaultOutputMessage;
            return false;
        }
        m_write = [=](CVtrConfigDoc& doc) { doc.writeDefaultOutput(panel, channel, output); };
        return true;
    }
    const auto output = choice(value, ChoiceTexts::digitalOutput);
    if (!output) {
        return refuseChoice("digital-output", value, ChoiceTexts::digitalOutput, problem);
    }
    m_write = [=](CVtrConfigDoc& doc) { doc.writeDigitalOutput(panel, channel, *output); };
    return true;
}

int ConfigureCommand::run(MbusMasterFunctions& master, bool tcp, int slave, bool hex,
                          std::ostream& out, std::ostream& err) const {
    // The document reports through message boxes: here they are printed, and the questions
    // it asks before an interface changes are answered yes, since the command asked for it.
    HeadlessBackend messages;
    ScopedBackend scope(messages);
    // Each message once, as it comes.
    size_t printed = 0;
    const auto printMessages = [&] {
        const auto& boxes = messages.messageBoxes();
        for (; printed < boxes.size(); ++printed) {
            err << boxes[printed].caption << ": " << boxes[printed].text << '\n';
        }
    };

    LinkedDocument doc;
    ConnectOptions options;
    options.protocol = tcp ? ConnectOptions::modbusTcp : ConnectOptions::modbusRtu;
    options.slaveId = static_cast<uint8_t>(slave);
    doc.setConnectOptions(options);
    doc.setHexDisplay(hex ? 1 : 0);
    doc.useOpenLink(&master);
    doc.refresh();
    if (!doc.isConnected()) {
        printMessages();
        return VtrctlProgram::exitFailure;
    }
    if (m_canFill && !m_canFill(doc)) {
        printMessages();
        err << "vtrctl: " << m_unreadBlock << '\n';
        return VtrctlProgram::exitFailure;
    }
    const size_t refreshMessages = messages.messageBoxes().size();

    messages.answerMessageBox(IDOK);
    m_write(doc);
    const auto& boxes = messages.messageBoxes();
    const bool failed = std::any_of(boxes.begin() + static_cast<ptrdiff_t>(refreshMessages),
                                    boxes.end(), [](const auto& box) {
                                        return box.caption == ConfigureMessages::configureCaption ||
                                               box.caption == ConfigureMessages::resetCaption;
                                    });
    printMessages();
    if (failed) {
        return VtrctlProgram::exitFailure;
    }

    if (m_rebootAfter) {
        // The unit restarts with its factory settings before it answers again.
        err << loadString(IDS_WAITING_FOR_BOOT) << '\n';
        std::this_thread::sleep_for(std::chrono::milliseconds(kBootWaitMs));
        const size_t beforeRefresh = messages.messageBoxes().size();
        doc.refresh();
        printMessages();
        // The unit took the reset, but what it holds now is not known.
        if (messages.messageBoxes().size() != beforeRefresh) {
            return VtrctlProgram::exitFailure;
        }
    }
    if (!doc.isConnected() && m_rtuInterface) {
        // The unit now answers with its new RTU settings, so the document closed the link. The
        // tree is drawn from the image as if still connected, to show what was written.
        err << "The link was closed: the unit answers with the new settings.\n";
        doc.useOpenLink(&master);
    }
    CVtrConfigView view(doc);
    view.OnInitialUpdate();
    printRows(view.GetTreeCtrl().rows(), m_rows, out);
    return VtrctlProgram::exitSuccess;
}
