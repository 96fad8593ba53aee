#include "sim/SimProfile.h"

namespace {

constexpr int channels = SimProfile::channelsPerPanel;

SimProfile::Identity digitalIdentity(int panel) {
    return {"Vantrel", "VTR300-D16", "D16-0000" + std::to_string(410 + panel), "KD1100-03"};
}

void fitDigitalPanel(SimProfile& profile, int panel, int firstOutput) {
    SimProfile::DigitalPanel& digital = profile.digitalPanels[panel];
    digital.fitted = true;
    digital.identity = digitalIdentity(panel);
    for (int ch = 0; ch < channels; ++ch) {
        digital.state[ch] = ch < firstOutput ? SimProfile::Input : SimProfile::Output;
        digital.defaultOutput[ch] = 0;
    }
}

// Channels [0, inputs) are inputs, [inputs, inputs + outputs) outputs, the rest vacant.
void fitAnalogPanel(SimProfile& profile, int panel, int inputs, int outputs) {
    profile.analogPanelFitted[panel] = true;
    for (int ch = 0; ch < channels; ++ch) {
        const int id = panel * channels + ch;
        if (ch < inputs) {
            profile.analogState[id] = SimProfile::Input;
            profile.averageWeightIndex[id] = static_cast<uint8_t>(2 + ch % 4);
        } else if (ch < inputs + outputs) {
            profile.analogState[id] = SimProfile::Output;
            profile.defaultOutput[id] = static_cast<int16_t>(250 * (ch - inputs));
        }
    }
}

SimProfile::TcpInterface tcpInterface(uint8_t net, uint8_t host, uint8_t macLast) {
    SimProfile::TcpInterface tcp;
    tcp.ipAddress = {192, 168, net, host};
    tcp.subnetMask = {255, 255, 255, 0};
    tcp.gateway = {192, 168, net, 1};
    tcp.keepaliveMs = 30000;
    tcp.tcpPort = 502;
    tcp.macAddress = {0x00, 0x60, 0x35, 0x1A, 0x2B, macLast};
    return tcp;
}

SimProfile baseProfile(const char* serial, const char* firmware) {
    SimProfile profile;
    profile.identity = {"Vantrel", "VTR300", serial, firmware};
    profile.ethernetFirmwareRevision = "EN2210-04";
    for (uint8_t& weight : profile.averageWeightIndex) {
        weight = 2;
    }
    profile.tcp[0] = tcpInterface(1, 50, 0x01);
    profile.tcp[1] = tcpInterface(2, 50, 0x02);
    return profile;
}

} // namespace

SimProfile SimProfile::richDefault() {
    SimProfile profile = baseProfile("VT3-0042137", "KX5120-04AR");
    fitAnalogPanel(profile, 0, 8, 4);
    fitAnalogPanel(profile, 1, 6, 6);
    fitAnalogPanel(profile, 2, 4, 8);
    fitDigitalPanel(profile, 0, 8);
    fitDigitalPanel(profile, 1, 4);
    fitDigitalPanel(profile, 2, 16);
    profile.digitalPanels[2].bypass = 1;
    profile.scanMode = 1;
    profile.scanList = {0, 1, 2, 16, 17, 32};
    profile.scanIntervalMs = 250;
    profile.scanCount = 4;
    return profile;
}

SimProfile SimProfile::minimal() {
    SimProfile profile = baseProfile("VT3-0007711", "KX5120-02AR");
    fitAnalogPanel(profile, 0, 12, 4);
    profile.scanMode = 0;
    return profile;
}

SimProfile SimProfile::full() {
    SimProfile profile = baseProfile("VT3-0099001", "KX5120-04AR");
    for (int panel = 0; panel < analogPanelCount; ++panel) {
        fitAnalogPanel(profile, panel, 8, 8);
    }
    for (int panel = 0; panel < digitalPanelCount; ++panel) {
        fitDigitalPanel(profile, panel, 8);
    }
    profile.scanMode = 1;
    for (uint8_t id = 0; id < analogChannelCount; id += 3) {
        profile.scanList.push_back(id);
    }
    profile.scanIntervalMs = 100;
    profile.scanCount = 10;
    return profile;
}
