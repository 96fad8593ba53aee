#pragma once

#include "device/ConfigureMessages.h"
#include "device/ConnectOptions.h"
#include "device/DeviceImage.h"
#include "device/DocumentSettings.h"
#include "device/RegisterMap.h"
#include "device/TrafficLog.h"
#include "dialogs/CCfgAnaChanStatesDlg.h"
#include "dialogs/CCfgAnaInOptsDlg.h"
#include "dialogs/CCfgAnaOutOptsDlg.h"
#include "dialogs/CCfgAnaScanParmsDlg.h"
#include "dialogs/CCfgDigChanStatesDlg.h"
#include "dialogs/CCfgDigOutOptsDlg.h"
#include "dialogs/CCfgMultAnaInOptsDlg.h"
#include "dialogs/CCfgMultAnaOutOptsDlg.h"
#include "dialogs/CCfgMultDigOutOptsDlg.h"
#include "dialogs/CCfgRtuParmsDlg.h"
#include "dialogs/CCfgScanModeDlg.h"
#include "dialogs/CCfgTcpParmsDlg.h"
#include "modbus/MbusRtuMasterProtocol.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "ui/CDocument.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

class BlockTransfer;
class RefreshProgress;

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

    CVtrConfigDoc();
    virtual ~CVtrConfigDoc() = default;
    CVtrConfigDoc(const CVtrConfigDoc&) = delete;
    CVtrConfigDoc& operator=(const CVtrConfigDoc&) = delete;

    // The settings a document file keeps. Each setter recomputes the modified state against the
    // settings the document was created or opened with; none of them connects or disconnects.
    ConnectOptions getConnectOptions() const { return options; }
    void setConnectOptions(const ConnectOptions& newOptions);

    // Opens the link the connect options name; returns 1 when it is open, else 0 after the
    // "Connect Error" message. Reads nothing: a successful connect is followed by refresh.
    // Both may be cancelled by the user of a busy flow (BusyFlow): a cancelled connect leaves
    // no link open, a cancelled refresh ends as if the reads left had failed; neither reports.
    int connect();
    // Reads every block into the image (see the .cpp for the order and its rules), reports
    // what failed, and closes the link when the unit cannot be identified. Then the views
    // redraw.
    void refresh();
    // Closes the open link, if any, and lets the views redraw. The image is kept, stale or not.
    void disconnect();
    // The text shown for an error code in the document's messages.
    static std::string describeError(int code);
    // 1: numbers are shown in hexadecimal, 0: in decimal.
    int getHexDisplay() const { return hexDisplay; }
    void setHexDisplay(int flag);
    int getAutoConnect() const { return autoConnect; }
    void setAutoConnect(int flag);
    DocumentSettings settings() const { return {hexDisplay, autoConnect, options}; }

    // The document file (VtrFile). A file of another format version opens with the settings
    // the document had; a damaged one fails the open before any setting changes.
    void serialize(CArchive& ar) override;
    bool readContents(CArchive& ar) override;
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
    // failure is not fitted: it is marked absent, its information is cleared, and the next
    // panel is read.
    int readDigitalDeviceInformation();
    // Channel states and output options are read for the panels found present.
    int readDigitalChannelStates();
    int readDigitalOutputOptions();

    // One write per block: the values are encoded by the block's codec and written in one
    // transaction (one channel or one panel where the name says so). Each returns the master's
    // error code; only a write the unit accepted changes the image, as noted. Panels, channels
    // and the interface index out of range are refused with MBUS_ILLEGAL_ARGUMENT.
    //
    // The record becomes the image.
    int sendRtuConfiguration(const RtuConfig& config);
    // Address, mask, gateway and keepalive become the image; port and MAC address stay.
    int sendTcpConfiguration(int index, const TcpConfig& config);
    int sendScanMode(uint16_t mode);
    int sendScanParameters(const ScanParameters& parameters);
    // One channel. The state is stored without touching the panel's flag; a channel that becomes
    // an input gets the unit's default average weight, one that becomes an output the default
    // output 0 (their flags untouched too), as the unit does.
    int sendAnalogChannelState(int panel, int channel, int16_t state);
    int sendAverageWeights(int panel, const DeviceImage::PerChannel<uint16_t>& indices);
    int sendAverageWeight(int panel, int channel, uint16_t index);
    int sendDefaultOutputs(int panel, const DeviceImage::PerChannel<int16_t>& values);
    int sendDefaultOutput(int panel, int channel, int16_t value);
    int sendDigitalChannelStates(int panel, const DeviceImage::PanelStates& states);
    int sendDigitalOutputs(int panel, const DeviceImage::PerChannel<int32_t>& values);
    int sendDigitalOutput(int panel, int channel, int32_t value);
    // The reset commands; the image is left as it is (a refresh follows on the unit's reboot).
    int sendResetAnalogPanels();
    int sendResetDigitalPanel(int panel);

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
    // channel's part of it) on the block's image, or on the unit's defaults where the image is
    // stale, and writes what the user confirmed. Nothing happens without an open link.
    virtual void configureRtuInterface();
    // index 0: the primary Ethernet interface, 1: the secondary one.
    virtual void configureTcpInterface(int index);
    virtual void configureScanMode();
    virtual void configureScanParameters();
    virtual void configureAnalogChannelStates(int panel);
    virtual void configureAverageWeight(int panel, int channel);
    virtual void configureDefaultOutput(int panel, int channel);
    virtual void configureAverageWeights(int panel);
    virtual void configureDefaultOutputs(int panel);
    virtual void configureDigitalChannelStates(int panel);
    virtual void configureDigitalOutput(int panel, int channel);
    virtual void configureDigitalOutputs(int panel);

    // The records the configure operations start from: the image where it is valid, else
    // the defaults of a unit fresh from the factory (our own fixed private addresses for the
    // Ethernet interfaces), channel by channel where the image is.
    RtuConfig initialRtuConfig() const;
    TcpConfig initialTcpConfig(int index) const;
    uint16_t initialScanMode() const;
    ScanParameters initialScanParameters() const;
    DeviceImage::PanelStates initialAnalogStates(int panel) const;
    DeviceImage::PerChannel<uint16_t> initialAverageWeights(int panel) const;
    DeviceImage::PerChannel<int16_t> initialDefaultOutputs(int panel) const;
    DeviceImage::PanelStates initialDigitalStates(int panel) const;
    DeviceImage::PerChannel<int32_t> initialDigitalOutputs(int panel) const;

    // Writes of edited blocks: the write of the block, its effect on the image when the unit
    // accepted it, the "Configure Error" message when it did not, and the views told to
    // update (after a failed write of a whole panel's options nothing changed, so they are
    // not). The interface writes ask first, by the protocol of the open link; Cancel writes
    // nothing.
    //
    // The RTU interface: over an RTU link the unit answers with the new settings at once, so
    // the link is closed; either way the new settings go into the connect options, and the
    // modified state follows them as after setConnectOptions.
    void writeRtuConfiguration(const RtuConfig& config);
    void writeTcpConfiguration(int index, const TcpConfig& config);
    // Switching to the user-defined scan re-reads the scan parameters the unit will use.
    void writeScanMode(uint16_t mode);
    void writeScanParameters(const ScanParameters& parameters);
    // Channel by channel, skipping channels whose known state stays; a failure ends the write
    // with the channels before it written and the panel's flag as it was.
    void writeAnalogChannelStates(int panel, const DeviceImage::PanelStates& states);
    void writeAverageWeights(int panel, const DeviceImage::PerChannel<uint16_t>& indexes);
    void writeAverageWeight(int panel, int channel, uint16_t index);
    void writeDefaultOutputs(int panel, const DeviceImage::PerChannel<int16_t>& values);
    void writeDefaultOutput(int panel, int channel, int16_t value);
    void writeDigitalChannelStates(int panel, const DeviceImage::PanelStates& states);
    void writeDigitalOutputs(int panel, const DeviceImage::PerChannel<int32_t>& values);
    void writeDigitalOutput(int panel, int channel, int32_t value);

    // Factory defaults for every analog panel; returns the error code, after the "Reset
    // Error" message when it failed. The unit reboots: the caller waits, then refreshes.
    int resetAnalogPanels();
    // Factory defaults for one digital panel, followed at once by a refresh.
    void resetDigitalPanel(int panel);

    // Live channel values, one at a time: ref = 16 * panel + channel + 1 (input register for
    // analog channels, coil for digital ones). Not kept in the image.
    int readLiveRegister(int ref, uint16_t& value);
    int readLiveCoil(int ref, int& value);
    int writeLiveCoil(int ref, int value);
    int writeLiveRegister(int ref, uint16_t value);

    // Every transaction of the document's own masters, for the traffic log window. Recording
    // is safe from any thread.
    TrafficLog& trafficLog() { return traffic_; }

protected:
    // Tells every view of the document to redraw from the image, after every refresh,
    // disconnect, write and reset; tests count the calls here.
    virtual void updateAllViews() { UpdateAllViews(nullptr); }

    // Makes `master`, whose link is already open, the current one (null: none), in place of
    // connect: tests put a scripted master here.
    void useOpenLink(MbusMasterFunctions* master);
    // Taken when a document is created or opened; saving does not retake it.
    void takeReferenceCopy();

private:
    // Opens the master the options name; returns its error code and sets currentMaster.
    int openLink();
    BlockTransfer transfer() const;
    // The read of a block through its codec (BlockCodec.h); `wireBlock` for a block that
    // shares another's codec.
    template <DeviceBlock block>
    int readBlock(int panel = 0, DeviceBlock wireBlock = block);
    // A panel read refused with a slave device failure is followed by one communication check,
    // whose result changes nothing.
    void recheckAfterDeviceFailure(int error);
    // Refresh steps: true to go on. The ones that cannot go on have reported and disconnected.
    bool checkUnitAnswers(RefreshProgress& progress);
    bool readIdentity(RefreshProgress& progress);
    void readConfiguration(RefreshProgress& progress);

    // Asks before an interface of the unit changes; false when the user cancelled.
    bool confirmInterfaceWrite(ConfigureMessages::Interface edited) const;
    // Shows the "Configure Error" message for a failed write; true when it succeeded.
    bool reportWrite(int result, const char* label);

    void applySettings(const DocumentSettings& newSettings);
    void updateModified();

    int32_t formatVersion = 2;
    int32_t hexDisplay = 0;
    int32_t autoConnect = 0;
    ConnectOptions options;
    DocumentSettings reference;
    std::function<void()> connectCommand;
    // Declared before the masters that report to it.
    TrafficLog traffic_;
    // One master per transport, for the document's whole life; connect opens the one its
    // options name and makes it current.
    MbusRtuMasterProtocol rtuMaster;
    MbusTcpMasterProtocol tcpMaster;
    // Master of the open link, one of the two above (or a stand-in, see useOpenLink); not
    // owned. Null while not connected.
    MbusMasterFunctions* currentMaster = nullptr;
    int32_t connected = 0;
    DeviceImage image_;
    // The edit dialogs, one of each for the document's whole life.
    struct Dialogs {
        CCfgRtuParmsDlg rtuParms;
        CCfgTcpParmsDlg tcpParms;
        CCfgScanModeDlg scanMode;
        CCfgAnaScanParmsDlg scanParms;
        CCfgAnaChanStatesDlg anaChanStates;
        CCfgAnaInOptsDlg anaInOpts;
        CCfgAnaOutOptsDlg anaOutOpts;
        CCfgMultAnaInOptsDlg multAnaInOpts;
        CCfgMultAnaOutOptsDlg multAnaOutOpts;
        CCfgDigChanStatesDlg digChanStates;
        CCfgDigOutOptsDlg digOutOpts;
        CCfgMultDigOutOptsDlg multDigOutOpts;
    } dialogs;
};
