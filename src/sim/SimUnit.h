#pragma once

#include "sim/SimProfile.h"
#include "sim/SimRegisterMap.h"

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
    // How one block of the map is read, checked before a write and written; offsets count
    // from the block's first register or coil. Reads and checks return 0 or an exception code.
    struct BlockHandler {
        SimBlockId id;
        int (SimUnit::*read)(const SimBlock& block, unsigned offset, uint16_t& value) const;
        int (SimUnit::*check)(unsigned offset, uint16_t value) const;
        void (SimUnit::*apply)(unsigned offset, uint16_t value);
    };
    static const BlockHandler& handler(SimBlockId id);

    // Through the handler of the block holding a mapped address (or offset).
    int readValue(SimSpace space, uint16_t address, uint16_t& value) const;
    int checkValue(const SimBlock& block, unsigned offset, uint16_t value) const;
    void applyValue(const SimBlock& block, unsigned offset, uint16_t value);

    int readLiveAnalog(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkLiveAnalog(unsigned offset, uint16_t value) const;
    void applyLiveAnalog(unsigned offset, uint16_t value);
    int readLiveStatistics(const SimBlock& block, unsigned offset, uint16_t& value) const;
    int readDeviceInformation(const SimBlock&, unsigned offset, uint16_t& value) const;
    int readRtuConfiguration(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkRtuConfiguration(unsigned offset, uint16_t value) const;
    void applyRtuConfiguration(unsigned offset, uint16_t value);
    int readTcpConfiguration(const SimBlock&, unsigned offset, uint16_t& value) const;
    void applyTcpConfiguration(unsigned offset, uint16_t value);
    int readTcpConfiguration2(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkTcpConfiguration2(unsigned offset, uint16_t value) const;
    void applyTcpConfiguration2(unsigned offset, uint16_t value);
    int readStatusRegister(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkResetCommand(unsigned offset, uint16_t value) const;
    void applyResetAnalogPanels(unsigned offset, uint16_t value);
    int readCommunicationCheck(const SimBlock&, unsigned offset, uint16_t& value) const;
    int readScanMode(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkScanMode(unsigned offset, uint16_t value) const;
    void applyScanMode(unsigned offset, uint16_t value);
    int readScanParameters(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkScanParameters(unsigned offset, uint16_t value) const;
    void applyScanParameters(unsigned offset, uint16_t value);
    int readAnalogChannelStates(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkAnalogChannelStates(unsigned offset, uint16_t value) const;
    void applyAnalogChannelStates(unsigned offset, uint16_t value);
    int readAnalogOutputOptions(const SimBlock&, unsigned offset, uint16_t& value) const;
    void applyAnalogOutputOptions(unsigned offset, uint16_t value);
    int readAnalogInputOptions(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkAnalogInputOptions(unsigned offset, uint16_t value) const;
    void applyAnalogInputOptions(unsigned offset, uint16_t value);
    int readDigitalChannelStates(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkDigitalChannelStates(unsigned offset, uint16_t value) const;
    void applyDigitalChannelStates(unsigned offset, uint16_t value);
    int readDigitalDeviceInformation(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkResetDigitalPanel(unsigned offset, uint16_t value) const;
    void applyResetDigitalPanel(unsigned offset, uint16_t value);
    int readDigitalPanelBypass(const SimBlock&, unsigned offset, uint16_t& value) const;
    int readLiveDigital(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkLiveDigital(unsigned offset, uint16_t value) const;
    void applyLiveDigital(unsigned offset, uint16_t value);
    int readDigitalOutputOptions(const SimBlock&, unsigned offset, uint16_t& value) const;
    int checkDigitalOutputOptions(unsigned offset, uint16_t value) const;
    void applyDigitalOutputOptions(unsigned offset, uint16_t value);

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
