#pragma once

#include "sim/SimProfile.h"

#include <chrono>
#include <cstdint>
#include <mutex>

// The simulated VTR300: its configuration, its live channel values and the rules by which it
// answers register and coil access. Every public operation takes the unit's lock, so a request
// is served as a whole while other clients wait, and tests may inspect or change the unit
// while it is being served.
//
// Register and coil operations take wire addresses (zero-based) and return 0 or a Modbus
// exception code (2 unmapped or not writable, 3 bad value, 4 panel not fitted).
class SimUnit {
public:
    // The line settings the unit's RTU side answers with.
    struct RtuLine {
        uint8_t slaveAddress = 0;
        uint16_t serialInterface = 0;
        uint16_t baudIndex = 0;
        uint16_t parityIndex = 0;
    };

    explicit SimUnit(const SimProfile& profile);

    int readRegisters(uint16_t address, unsigned count, uint16_t* values);
    int writeRegisters(uint16_t address, unsigned count, const uint16_t* values);
    int readCoils(uint16_t address, unsigned count, uint8_t* bits);
    int writeCoils(uint16_t address, unsigned count, const uint8_t* bits);

    RtuLine rtuLine() const;
    // How long the unit's TCP side keeps an idle connection; 0 keeps it for ever.
    uint16_t keepaliveMs() const;
    // Replaces the low nibble of the RTU slave address (the high nibble is configuration).
    void setSlaveAddressLowNibble(uint8_t lowNibble);

    // The whole configuration as it stands now, and a way to replace it (test set-up).
    SimProfile configuration() const;
    void setConfiguration(const SimProfile& profile);

    // Live values. They advance one step every `liveStepMs` of wall time unless frozen; a
    // frozen unit shows the values of one step, so tests can predict them exactly.
    static constexpr int liveStepMs = 100;
    void freezeLiveValues(uint32_t step);
    void runLiveValues();
    uint32_t liveStep() const;
    uint16_t analogOutputValue(int channelId) const;
    bool digitalOutputValue(int channelId) const;

    // Register offsets of the live analog statistics above the live value itself.
    static constexpr uint16_t averageOffset = 64;
    static constexpr uint16_t maximumOffset = 128;
    static constexpr uint16_t minimumOffset = 192;

private:
    int readRegister(uint16_t address, uint16_t& value) const;
    int checkWrite(uint16_t address, unsigned count, const uint16_t* values) const;
    void applyWrite(uint16_t address, uint16_t value);
    int readCoil(uint16_t address, uint8_t& bit) const;
    int checkCoilWrite(uint16_t address) const;
    void applyCoilWrite(uint16_t address, uint8_t bit);

    uint16_t liveAnalogValue(int channelId) const;
    uint16_t digitalInputValue(int channelId) const;
    uint32_t currentStep() const;
    bool secondaryTcpSupported() const;
    bool digitalPanelFitted(int panel) const;
    void setAnalogState(int channelId, uint16_t state);
    void setDigitalState(int channelId, uint16_t state);
    void resetAnalogConfiguration();
    void resetDigitalPanel(int panel);

    mutable std::mutex mutex_;
    SimProfile config_;
    std::array<uint16_t, SimProfile::analogChannelCount> analogOutputs_{};
    std::array<uint8_t, SimProfile::digitalChannelCount> digitalOutputs_{};
    std::chrono::steady_clock::time_point started_;
    bool frozen_ = false;
    uint32_t frozenStep_ = 0;
};
