#pragma once

#include "device/ConnectOptions.h"
#include "device/DeviceImage.h"
#include "device/DocumentSettings.h"
#include "device/RegisterMap.h"
#include "modbus/MbusRtuMasterProtocol.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "ui/CDocument.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The document: the way to reach one VTR300 unit (its connect options), the link to it, and the
// image of every configuration block read from it.
//
// Every operation that talks to the unit returns a Modbus error code (0 on success) and goes
// through the master of the open link; without an open link it fails with
// MBUS_ILLEGAL_STATE and sends nothing. A failed read leaves the image and its flags exactly
// as they were; a successful one stores the decoded block and sets its flags.
class CVtrConfigDoc : public CDocument {
public:
    // Over Modbus TCP the unit answers as slave 1, whatever its serial slave address.
    static constexpr int tcpSlaveAddress = 1;

    CVtrConfigDoc() = default;
    virtual ~CVtrConfigDoc() = default;
    CVtrConfigDoc(const CVtrConfigDoc&) = delete;
    CVtrConfigDoc& operator=(const CVtrConfigDoc&) = delete;

    // The settings a document file keeps. Each setter recomputes the modified state against the
    // settings the document was created or opened with; none of them connects or disconnects.
    ConnectOptions getConnectOptions() const { return options; }
    void setConnectOptions(const ConnectOptions& newOptions);
    // 1: numbers are shown in hexadecimal, 0: in decimal.
    int getHexDisplay() const { return hexDisplay; }
    void setHexDisplay(int flag);
    int getAutoConnect() const { return autoConnect; }
    void setAutoConnect(int flag);
    DocumentSettings settings() const { return {hexDisplay, autoConnect, options}; }

    // The document file (VtrFile). A file of another format version opens with the settings
    // the document had; a damaged one fails the open before any setting changes.
    void serialize(CArchive& ar) override;
    // New keeps an open link; Open and Close close it, and Open connects at once when the file
    // says so. Both New and Open take the settings as the reference of the modified state.
    bool onNewDocument() override;
    bool onOpenDocument(const std::string& path) override;
    void onCloseDocument() override;
    // The main window's Connect command, which opening an auto-connect document runs. Without
    // one (no main window), the document connects and, on success, refreshes by itself.
    void setConnectCommand(std::function<void()> command) { connectCommand = std::move(command); }
    int isConnected() const { return connected; }

    // The slave address of every request: 1 over Modbus TCP, the slaveId option over RTU.
    int slaveAddress() const;

    // One read per block. checkCommunication proves that the unit answers and stores nothing.
    int checkCommunication();
    int readStatusRegister();
    int readDeviceInformation();
    int readDigitalPanelBypass();
    int readRtuConfiguration();
    // index 0: the primary Ethernet interface, 1: the secondary one.
    int readTcpConfiguration(int index);
    int readScanMode();
    int readScanParameters();
    int readAnalogChannelStates();
    // Decodes by the channel states currently in the image, so read the states first.
    int readAnalogInputOptions();
    int readAnalogOutputOptions();
    // The digital blocks are read panel by panel, 0 to 7, each panel's part stored as soon as it
    // has been read; a failing panel keeps its previous image and ends the read, so the panels
    // after it keep theirs too.
    //
    // Device information skips bypassed panels. A panel that answers with a slave device
    // failure is not fitted: it is marked absent and the next panel is read.
    int readDigitalDeviceInformation();
    // Channel states and output options are read for the panels found present.
    int readDigitalChannelStates();
    int readDigitalOutputOptions();

    // Accessors: null when the entry is stale (its flag is cleared) or out of range.
    uint16_t getStatusWord() const { return image_.statusWord; }
    const DeviceInfo& getDeviceInfo() const { return image_.deviceInfo; }
    int32_t getSecondaryTcpSupported() const { return image_.secondaryTcpSupported; }
    const RtuConfig* getRtuConfig() const;
    const TcpConfig* getTcpConfig(int index) const;
    const uint16_t* getScanMode() const;
    const ScanParameters* getScanParameters() const;
    const int16_t* getAnalogChannelState(int panel, int channel) const;
    const uint16_t* getAverageWeightIndex(int panel, int channel) const;
    const int16_t* getDefaultOutput(int panel, int channel) const;
    const DigitalDeviceInfo* getDigitalDeviceInfo(int panel) const;
    const int16_t* getDigitalChannelState(int panel, int channel) const;
    const int32_t* getDigitalDefaultOutput(int panel, int channel) const;
    // True while a link is open and the panel was found in the last refresh.
    bool isDigitalPanelAvailable(int panel) const;

    // The whole image with its flags, for whatever needs more than one entry at a time.
    const DeviceImage& image() const { return image_; }

    // Configure operations: each runs the edit dialog of one block (or of one panel's or
    // channel's part of it) on the block's image and writes what the user confirmed. The tree
    // and the menu commands start them.
    virtual void configureRtuInterface();
    // index 0: the primary Ethernet interface, 1: the secondary one.
    virtual void configureTcpInterface(int index);
    virtual void configureScanMode();
    virtual void configureScanParameters();
    virtual void configureAnalogChannelStates(int panel);
    virtual void configureAverageWeight(int panel, int channel);
    virtual void configureDefaultOutput(int panel, int channel);
    virtual void configureDigitalChannelStates(int panel);
    virtual void configureDigitalOutput(int panel, int channel);

    // Live channel values, one at a time: ref = 16 * panel + channel + 1 (input register for
    // analog channels, coil for digital ones). Not kept in the image.
    int readLiveRegister(int ref, uint16_t& value);
    int readLiveCoil(int ref, int& value);
    int writeLiveCoil(int ref, int value);
    int writeLiveRegister(int ref, uint16_t value);

protected:
    // Makes `master`, whose link is already open, the current one (null: no link). Stands in
    // for connect and disconnect until the document opens its links itself, and lets tests
    // put a scripted master in place of a transport.
    void useOpenLink(MbusMasterFunctions* master);

private:
    int readRegisters(DeviceBlock block, int panel, std::span<uint16_t> registers);
    int readCoils(DeviceBlock block, int panel, std::span<int> coils);
    // A panel read refused with a slave device failure is followed by one communication check,
    // whose result changes nothing.
    void recheckAfterDeviceFailure(int error);

    void applySettings(const DocumentSettings& newSettings);
    void updateModified();
    // Taken when a document is created or opened; saving does not retake it.
    void takeReferenceCopy();
    void closeOpenLink();

    int32_t formatVersion = 2;
    int32_t hexDisplay = 0;
    int32_t autoConnect = 0;
    ConnectOptions options;
    DocumentSettings reference;
    std::function<void()> connectCommand;
    // One master per transport, for the document's whole life; connection handling opens the
    // one its options name and makes it current.
    MbusRtuMasterProtocol rtuMaster;
    MbusTcpMasterProtocol tcpMaster;
    // Master of the open link, one of the two above (or a stand-in, see useOpenLink); not
    // owned. Null while not connected.
    MbusMasterFunctions* currentMaster = nullptr;
    int32_t connected = 0;
    DeviceImage image_;
};
