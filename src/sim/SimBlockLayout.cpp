#include "sim/SimBlockLayout.h"

namespace {

uint16_t octetPair(const uint8_t* octets, unsigned pair) {
    return static_cast<uint16_t>((octets[2 * pair] << 8) | octets[2 * pair + 1]);
}

void setOctetPair(uint8_t* octets, unsigned pair, uint16_t value) {
    octets[2 * pair] = static_cast<uint8_t>(value >> 8);
    octets[2 * pair + 1] = static_cast<uint8_t>(value);
}

} // namespace

uint16_t SimBlockLayout::stateToWire(uint16_t state) {
    switch (state) {
    case SimProfile::Vacant:
        return wireVacant;
    case SimProfile::Input:
        return wireInput;
    case SimProfile::Output:
        return wireOutput;
    default:
        return wireInvalid;
    }
}

bool SimBlockLayout::wireToState(uint16_t wire, uint16_t& state) {
    switch (wire) {
    case wireVacant:
        state = SimProfile::Vacant;
        return true;
    case wireInput:
        state = SimProfile::Input;
        return true;
    case wireOutput:
        state = SimProfile::Output;
        return true;
    default:
        return false;
    }
}

uint16_t SimBlockLayout::textRegister(const std::string& text, unsigned index) {
    // NUL-padded; the high byte is always 0.
    return index < text.size() ? static_cast<uint8_t>(text[index]) : 0;
}

uint16_t SimBlockLayout::identityRegister(const SimProfile::Identity& identity, unsigned offset) {
    const std::string* fields[] = {&identity.manufacturer, &identity.modelNumber,
                                   &identity.serialNumber, &identity.firmwareRevision};
    return textRegister(*fields[offset / textRegisters], offset % textRegisters);
}

uint16_t SimBlockLayout::tcpRegister(const SimProfile::TcpInterface& tcp, unsigned offset) {
    if (offset < Tcp::subnetMask) {
        return octetPair(tcp.ipAddress.data(), offset - Tcp::ipAddress);
    }
    if (offset < Tcp::gateway) {
        return octetPair(tcp.subnetMask.data(), offset - Tcp::subnetMask);
    }
    if (offset < Tcp::keepalive) {
        return octetPair(tcp.gateway.data(), offset - Tcp::gateway);
    }
    if (offset == Tcp::keepalive) {
        return tcp.keepaliveMs;
    }
    if (offset == Tcp::port) {
        return tcp.tcpPort;
    }
    return octetPair(tcp.macAddress.data(), offset - Tcp::macAddress);
}

void SimBlockLayout::setTcpRegister(SimProfile::TcpInterface& tcp, unsigned offset,
                                    uint16_t value) {
    if (offset < Tcp::subnetMask) {
        setOctetPair(tcp.ipAddress.data(), offset - Tcp::ipAddress, value);
    } else if (offset < Tcp::gateway) {
        setOctetPair(tcp.subnetMask.data(), offset - Tcp::subnetMask, value);
    } else if (offset < Tcp::keepalive) {
        setOctetPair(tcp.gateway.data(), offset - Tcp::gateway, value);
    } else if (offset == Tcp::keepalive) {
        tcp.keepaliveMs = value;
    }
}
