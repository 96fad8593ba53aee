#include "sim/SimProfileLoader.h"

#include <nlohmann/json.hpp>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <initializer_list>
#include <sstream>

namespace {

using Json = nlohmann::json;

constexpr size_t maxTextLength = 16; // one register per character

// Walks the JSON tree, filling a profile; the first fault found ends the walk with its field
// path and reason.
class ProfileReader {
public:
    explicit ProfileReader(SimProfile& profile) : profile_(profile) {}

    bool read(const Json& root);
    const std::string& field() const { return field_; }
    const std::string& reason() const { return reason_; }

private:
    bool fail(const std::string& field, const std::string& reason) {
        field_ = field;
        reason_ = reason;
        return false;
    }
    bool checkKeys(const Json& object, const std::string& path,
                   std::initializer_list<const char*> known);
    bool readText(const Json& value, const std::string& path, std::string& text);
    bool readInteger(const Json& value, const std::string& path, long long min, long long max,
                     long long& number);
    template <typename T>
    bool readNumber(const Json& object, const char* key, const std::string& path, long long min,
                    long long max, T& target);
    bool readChoice(const Json& value, const std::string& path,
                    std::initializer_list<const char*> names, uint16_t& index);
    bool readOctets(const Json& value, const std::string& path, char separator, int base,
                    uint8_t* octets, size_t count);
    bool readIdentity(const Json& object, const std::string& path, SimProfile::Identity& identity,
                      bool withEthernet);
    bool readChannelStates(const Json& value, const std::string& path, uint16_t* states);
    bool readAnalogPanels(const Json& panels);
    bool readDigitalPanels(const Json& panels);
    bool readScan(const Json& scan);
    bool readRtu(const Json& rtu);
    bool readTcp(const Json& interfaces);

    SimProfile& profile_;
    std::string field_;
    std::string reason_;
};

std::string at(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

std::string indexed(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

bool ProfileReader::checkKeys(const Json& object, const std::string& path,
                              std::initializer_list<const char*> known) {
    if (!object.is_object()) {
        return fail(path, "expected an object");
    }
    for (const auto& item : object.items()) {
        bool found = false;
        for (const char* name : known) {
            found = found || item.key() == name;
        }
        if (!found) {
            return fail(at(path, item.key()), "unknown field");
        }
    }
    return true;
}

bool ProfileReader::readText(const Json& value, const std::string& path, std::string& text) {
    if (!value.is_string()) {
        return fail(path, "expected a string");
    }
    const std::string& candidate = value.get_ref<const std::string&>();
    if (candidate.size() > maxTextLength) {
        return fail(path, "longer than 16 characters");
    }
    for (char c : candidate) {
        if (c < 0x20 || c > 0x7E) {
            return fail(path, "only printable ASCII characters are allowed");
        }
    }
    text = candidate;
    return true;
}

bool ProfileReader::readInteger(const Json& value, const std::string& path, long long min,
                                long long max, long long& number) {
    if (!value.is_number_integer()) {
        return fail(path, "expected an integer");
    }
    const long long candidate =
        value.is_number_unsigned()
            ? static_cast<long long>(std::min<uint64_t>(value.get<uint64_t>(), uint64_t{1} << 62))
            : value.get<long long>();
    if (candidate < min || candidate > max) {
        return fail(path, "must be from " + std::to_string(min) + " to " + std::to_string(max));
    }
    number = candidate;
    return true;
}

template <typename T>
bool ProfileReader::readNumber(const Json& object, const char* key, const std::string& path,
                               long long min, long long max, T& target) {
    const auto found = object.find(key);
    if (found == object.end()) {
        return true;
    }
    long long number = 0;
    if (!readInteger(*found, at(path, key), min, max, number)) {
        return false;
    }
    target = static_cast<T>(number);
    return true;
}

bool ProfileReader::readChoice(const Json& value, const std::string& path,
                               std::initializer_list<const char*> names, uint16_t& index) {
    std::string expected;
    uint16_t i = 0;
    for (const char* name : names) {
        if (value.is_string() && value.get_ref<const std::string&>() == name) {
            index = i;
            return true;
        }
        expected += (i == 0 ? "\"" : ", \"") + std::string(name) + "\"";
        ++i;
    }
    return fail(path, "expected one of " + expected);
}

bool ProfileReader::readOctets(const Json& value, const std::string& path, char separator, int base,
                               uint8_t* octets, size_t count) {
    const char* form = separator == '.' ? "expected a dotted address such as \"192.168.1.50\""
                                        : "expected a MAC address such as \"00:60:35:1A:2B:01\"";
    if (!value.is_string()) {
        return fail(path, form);
    }
    std::istringstream in(value.get_ref<const std::string&>());
    std::string part;
    size_t n = 0;
    while (std::getline(in, part, separator)) {
        if (n == count || part.empty() || part.size() > 3) {
            return fail(path, form);
        }
        unsigned long number = 0;
        for (char c : part) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : 99;
            if (digit >= base) {
                return fail(path, form);
            }
            number = number * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        }
        if (number > 255) {
            return fail(path, form);
        }
        octets[n++] = static_cast<uint8_t>(number);
    }
    return n == count ? true : fail(path, form);
}

bool ProfileReader::readIdentity(const Json& object, const std::string& path,
                                 SimProfile::Identity& identity, bool withEthernet) {
    if (!checkKeys(object, path,
                   withEthernet
                       ? std::initializer_list<const char*>{"manufacturer", "modelNumber",
                                                            "serialNumber", "firmwareRevision",
                                                            "ethernetFirmwareRevision"}
                       : std::initializer_list<const char*>{"manufacturer", "modelNumber",
                                                            "serialNumber", "firmwareRevision"})) {
        return false;
    }
    const std::pair<const char*, std::string*> fields[] = {
        {"manufacturer", &identity.manufacturer},
        {"modelNumber", &identity.modelNumber},
        {"serialNumber", &identity.serialNumber},
        {"firmwareRevision", &identity.firmwareRevision},
        {"ethernetFirmwareRevision", &profile_.ethernetFirmwareRevision},
    };
    for (const auto& [key, target] : fields) {
        const auto found = object.find(key);
        if (found != object.end() && !readText(*found, at(path, key), *target)) {
            return false;
        }
    }
    return true;
}

bool ProfileReader::readChannelStates(const Json& value, const std::string& path,
                                      uint16_t* states) {
    if (!value.is_array() || value.size() != SimProfile::channelsPerPanel) {
        return fail(path, "expected a list of 16 channel states");
    }
    for (size_t ch = 0; ch < value.size(); ++ch) {
        if (!readChoice(value[ch], indexed(path, ch), {"vacant", "input", "output"}, states[ch])) {
            return false;
        }
    }
    return true;
}

bool ProfileReader::readAnalogPanels(const Json& panels) {
    const std::string path = "analogPanels";
    if (!panels.is_array() || panels.size() > SimProfile::analogPanelCount) {
        return fail(path, "expected a list of at most 4 panels");
    }
    // Listing the panels describes them all: a panel left out is not fitted.
    profile_.analogPanelFitted.fill(false);
    profile_.analogState.fill(SimProfile::Vacant);
    for (size_t panel = 0; panel < panels.size(); ++panel) {
        const Json& object = panels[panel];
        const std::string here = indexed(path, panel);
        if (!checkKeys(object, here,
                       {"fitted", "channels", "averageWeightIndex", "defaultOutput"})) {
            return false;
        }
        const size_t first = panel * SimProfile::channelsPerPanel;
        bool fitted = true;
        if (object.contains("fitted")) {
            if (!object["fitted"].is_boolean()) {
                return fail(at(here, "fitted"), "expected true or false");
            }
            fitted = object["fitted"].get<bool>();
        }
        profile_.analogPanelFitted[panel] = fitted;
        if (object.contains("channels") &&
            !readChannelStates(object["channels"], at(here, "channels"),
                               &profile_.analogState[first])) {
            return false;
        }
        if (!fitted) {
            std::fill_n(&profile_.analogState[first], SimProfile::channelsPerPanel,
                        uint16_t{SimProfile::Vacant});
        }
        const std::pair<const char*, std::pair<long long, long long>> lists[] = {
            {"averageWeightIndex", {0, 15}}, {"defaultOutput", {-32768, 32767}}};
        for (const auto& [key, range] : lists) {
            if (!object.contains(key)) {
                continue;
            }
            const Json& values = object[key];
            const std::string listPath = at(here, key);
            if (!values.is_array() || values.size() != SimProfile::channelsPerPanel) {
                return fail(listPath, "expected a list of 16 integers");
            }
            for (size_t ch = 0; ch < values.size(); ++ch) {
                long long number = 0;
                if (!readInteger(values[ch], indexed(listPath, ch), range.first, range.second,
                                 number)) {
                    return false;
                }
                if (key == lists[0].first) {
                    profile_.averageWeightIndex[first + ch] = static_cast<uint8_t>(number);
                } else {
                    profile_.defaultOutput[first + ch] = static_cast<int16_t>(number);
                }
            }
        }
    }
    return true;
}

bool ProfileReader::readDigitalPanels(const Json& panels) {
    const std::string path = "digitalPanels";
    if (!panels.is_array() || panels.size() > SimProfile::digitalPanelCount) {
        return fail(path, "expected a list of at most 8 panels");
    }
    for (SimProfile::DigitalPanel& panel : profile_.digitalPanels) {
        panel.fitted = false;
        panel.bypass = 0;
    }
    for (size_t index = 0; index < panels.size(); ++index) {
        const Json& object = panels[index];
        const std::string here = indexed(path, index);
        SimProfile::DigitalPanel& panel = profile_.digitalPanels[index];
        if (!checkKeys(object, here,
                       {"fitted", "bypass", "identity", "channels", "defaultOutput"})) {
            return false;
        }
        panel.fitted = true;
        if (object.contains("fitted")) {
            if (!object["fitted"].is_boolean()) {
                return fail(at(here, "fitted"), "expected true or false");
            }
            panel.fitted = object["fitted"].get<bool>();
        }
        if (!readNumber(object, "bypass", here, -32768, 32767, panel.bypass)) {
            return false;
        }
        if (object.contains("identity") &&
            !readIdentity(object["identity"], at(here, "identity"), panel.identity, false)) {
            return false;
        }
        if (object.contains("channels") &&
            !readChannelStates(object["channels"], at(here, "channels"), panel.state.data())) {
            return false;
        }
        if (object.contains("defaultOutput")) {
            const Json& values = object["defaultOutput"];
            const std::string listPath = at(here, "defaultOutput");
            if (!values.is_array() || values.size() != SimProfile::channelsPerPanel) {
                return fail(listPath, "expected a list of 16 values, 0 or 1");
            }
            for (size_t ch = 0; ch < values.size(); ++ch) {
                long long number = 0;
                if (!readInteger(values[ch], indexed(listPath, ch), 0, 1, number)) {
                    return false;
                }
                panel.defaultOutput[ch] = static_cast<uint8_t>(number);
            }
        }
    }
    return true;
}

bool ProfileReader::readScan(const Json& scan) {
    const std::string path = "scan";
    if (!checkKeys(scan, path, {"mode", "list", "intervalMs", "count"})) {
        return false;
    }
    if (scan.contains("mode") && !readChoice(scan["mode"], at(path, "mode"),
                                             {"continuous", "user-defined"}, profile_.scanMode)) {
        return false;
    }
    if (scan.contains("list")) {
        const Json& list = scan["list"];
        if (!list.is_array() || list.size() > SimProfile::scanListCapacity) {
            return fail(at(path, "list"), "expected a list of at most 64 analog channel ids");
        }
        profile_.scanList.clear();
        for (size_t i = 0; i < list.size(); ++i) {
            long long id = 0;
            if (!readInteger(list[i], indexed(at(path, "list"), i), 0,
                             SimProfile::analogChannelCount - 1, id)) {
                return false;
            }
            profile_.scanList.push_back(static_cast<uint8_t>(id));
        }
    }
    return readNumber(scan, "intervalMs", path, 0, 65535, profile_.scanIntervalMs) &&
           readNumber(scan, "count", path, 0, 65535, profile_.scanCount);
}

bool ProfileReader::readRtu(const Json& rtu) {
    const std::string path = "rtu";
    if (!checkKeys(rtu, path, {"serialInterface", "baud", "parity", "slave"})) {
        return false;
    }
    if (rtu.contains("serialInterface") &&
        !readChoice(rtu["serialInterface"], at(path, "serialInterface"),
                    {"RS232", "RS485 2-wire", "RS485 4-wire"}, profile_.serialInterface)) {
        return false;
    }
    if (rtu.contains("baud")) {
        constexpr long long rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
        const Json& baud = rtu["baud"];
        bool found = false;
        for (uint16_t i = 0; i < 8 && baud.is_number_integer(); ++i) {
            if (baud.get<long long>() == rates[i]) {
                profile_.baudIndex = i;
                found = true;
            }
        }
        if (!found) {
            return fail(at(path, "baud"),
                        "expected 1200, 2400, 4800, 9600, 19200, 38400, 57600 or 115200");
        }
    }
    if (rtu.contains("parity") && !readChoice(rtu["parity"], at(path, "parity"),
                                              {"none", "odd", "even"}, profile_.parityIndex)) {
        return false;
    }
    return readNumber(rtu, "slave", path, 1, 247, profile_.slaveAddress);
}

bool ProfileReader::readTcp(const Json& interfaces) {
    const std::string path = "tcp";
    if (!interfaces.is_array() || interfaces.size() > 2) {
        return fail(path, "expected a list of at most 2 interfaces");
    }
    for (size_t index = 0; index < interfaces.size(); ++index) {
        const Json& object = interfaces[index];
        const std::string here = indexed(path, index);
        SimProfile::TcpInterface& tcp = profile_.tcp[index];
        if (!checkKeys(
                object, here,
                {"ipAddress", "subnetMask", "gateway", "keepaliveMs", "port", "macAddress"})) {
            return false;
        }
        const std::pair<const char*, uint8_t*> addresses[] = {{"ipAddress", tcp.ipAddress.data()},
                                                              {"subnetMask", tcp.subnetMask.data()},
                                                              {"gateway", tcp.gateway.data()}};
        for (const auto& [key, octets] : addresses) {
            if (object.contains(key) &&
                !readOctets(object[key], at(here, key), '.', 10, octets, 4)) {
                return false;
            }
        }
        if (object.contains("macAddress") &&
            !readOctets(object["macAddress"], at(here, "macAddress"), ':', 16,
                        tcp.macAddress.data(), 6)) {
            return false;
        }
        if (!readNumber(object, "keepaliveMs", here, 0, 65535, tcp.keepaliveMs) ||
            !readNumber(object, "port", here, 0, 65535, tcp.tcpPort)) {
            return false;
        }
    }
    return true;
}

bool ProfileReader::read(const Json& root) {
    if (!root.is_object()) {
        return fail("(top level)", "expected an object");
    }
    if (!checkKeys(root, "",
                   {"identity", "statusWord", "analogPanels", "digitalPanels", "scan", "rtu", "tcp",
                    "waveformSeed"})) {
        return false;
    }
    if (root.contains("identity") &&
        !readIdentity(root["identity"], "identity", profile_.identity, true)) {
        return false;
    }
    return readNumber(root, "statusWord", "", 0, 65535, profile_.statusWord) &&
           (!root.contains("analogPanels") || readAnalogPanels(root["analogPanels"])) &&
           (!root.contains("digitalPanels") || readDigitalPanels(root["digitalPanels"])) &&
           (!root.contains("scan") || readScan(root["scan"])) &&
           (!root.contains("rtu") || readRtu(root["rtu"])) &&
           (!root.contains("tcp") || readTcp(root["tcp"])) &&
           readNumber(root, "waveformSeed", "", 0, 0xFFFFFFFFll, profile_.waveformSeed);
}

} // namespace

// Opened without blocking and checked to be a regular file first: a FIFO or a terminal named
// by mistake would otherwise wait for a writer for ever.
int SimProfileLoader::loadFile(const std::string& path, SimProfile& profile, std::string& message) {
    if (path.empty()) {
        message = "the profile file name is empty";
        return fileError;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        message = path + ": cannot open the profile";
        return fileError;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        message = path + ": not a regular file";
        return fileError;
    }
    std::string text(maxFileSize + 1, '\0');
    size_t size = 0;
    ssize_t count = 0;
    while (size < text.size() && (count = ::read(fd, text.data() + size, text.size() - size)) > 0) {
        size += static_cast<size_t>(count);
    }
    ::close(fd);
    if (count < 0) {
        message = path + ": cannot read the profile";
        return fileError;
    }
    text.resize(size);
    if (text.size() > maxFileSize) {
        message = path + ": larger than 1 MiB, not a unit profile";
        return formatError;
    }
    return loadText(text, path, profile, message);
}

int SimProfileLoader::loadText(const std::string& text, const std::string& source,
                               SimProfile& profile, std::string& message) {
    try {
        Json root;
        try {
            root = Json::parse(text);
        } catch (const Json::parse_error& error) {
            message = source + ": not valid JSON: byte " + std::to_string(error.byte) + ": " +
                      error.what();
            return formatError;
        }
        SimProfile candidate = SimProfile::richDefault();
        ProfileReader reader(candidate);
        if (!reader.read(root)) {
            message = source + ": field \"" + reader.field() + "\": " + reader.reason();
            return formatError;
        }
        profile = candidate;
        message.clear();
        return ok;
    } catch (const std::exception& error) {
        // Nothing above should throw; a library surprise still becomes a message, not a crash.
        message = source + ": cannot read the profile: " + error.what();
        return formatError;
    }
}
