#include "device/CVtrConfigDoc.h"
#include "modbus/MbusError.h"
#include "modbus/MbusTcpMasterProtocol.h"
#include "sim/Simulator.h"
#include "tree/CVtrConfigView.h"
#include "ui/TreePeer.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

// The document with its link set directly, recording which configure operation is asked for.
class RecordingDoc : public CVtrConfigDoc {
public:
    using CVtrConfigDoc::useOpenLink;

    void configureRtuInterface() override { calls.push_back("rtu"); }
    void configureTcpInterface(int index) override { record("tcp", index); }
    void configureScanMode() override { calls.push_back("scan mode"); }
    void configureScanParameters() override { calls.push_back("scan parameters"); }
    void configureAnalogChannelStates(int panel) override { record("analog states", panel); }
    void configureAverageWeight(int panel, int channel) override {
        record("average weight", panel, channel);
    }
    void configureDefaultOutput(int panel, int channel) override {
        record("default output", panel, channel);
    }
    void configureDigitalChannelStates(int panel) override { record("digital states", panel); }
    void configureDigitalOutput(int panel, int channel) override {
        record("digital output", panel, channel);
    }

    std::vector<std::string> calls;

private:
    void record(const std::string& name, int a, int b = -1) {
        calls.push_back(name + " " + std::to_string(a) + (b >= 0 ? "," + std::to_string(b) : ""));
    }
};

// Counts what the view asks of the tree control besides texts.
class ItemCounter : public TreePeer {
public:
    void itemInserted(HTREEITEM, HTREEITEM, int) override { ++inserted; }
    void itemDeleted(HTREEITEM) override { ++deleted; }
    void itemTextChanged(HTREEITEM) override {}
    void itemExpansionChanged(HTREEITEM) override {}
    void selectionChanged() override {}

    int inserted = 0;
    int deleted = 0;
};

// A simulated unit on a loopback port, the document linked to it and the view on the document.
class ViewOnUnit : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sim.startTcp(), 0);
        ConnectOptions options;
        options.protocol = ConnectOptions::modbusTcp;
        options.server = "127.0.0.1";
        options.tcpPort = sim.tcpPort();
        doc.setConnectOptions(options);
        view.OnInitialUpdate();
    }
    void TearDown() override { master.closeLink(); }

    void connect() {
        master.setPort(sim.tcpPort());
        ASSERT_EQ(master.connectTo("127.0.0.1"), MBUS_SUCCESS);
        doc.useOpenLink(&master);
        refresh();
    }
    void disconnect() {
        master.closeLink();
        doc.useOpenLink(nullptr);
        view.OnUpdate(nullptr, 0, nullptr);
    }
    // The document's refresh, which must read every block; then the view is updated.
    void refresh() {
        doc.refresh();
        ASSERT_EQ(doc.isConnected(), 1);
        view.OnUpdate(nullptr, 0, nullptr);
    }
    void changeUnit(const std::function<void(SimProfile&)>& change) {
        SimProfile profile = sim.unit().configuration();
        change(profile);
        sim.unit().setConfiguration(profile);
    }

    // The item whose text starts with each step in turn, from the top of the tree.
    HTREEITEM item(std::initializer_list<std::string> path) const {
        HTREEITEM at = TVI_ROOT;
        for (const std::string& step : path) {
            HTREEITEM found;
            for (HTREEITEM child : tree().children(at)) {
                if (tree().GetItemText(child).starts_with(step)) {
                    found = child;
                    break;
                }
            }
            if (!found) {
                ADD_FAILURE() << "no row " << step;
                return {};
            }
            at = found;
        }
        return at;
    }
    std::vector<std::string> childTexts(HTREEITEM parent) const {
        std::vector<std::string> texts;
        for (HTREEITEM child : tree().children(parent)) {
            texts.push_back(tree().GetItemText(child));
        }
        return texts;
    }
    std::vector<HTREEITEM> handles() const {
        std::vector<HTREEITEM> all;
        for (const CTreeCtrl::Row& row : tree().rows()) {
            all.push_back(row.item);
        }
        return all;
    }
    CTreeCtrl& tree() const { return view.GetTreeCtrl(); }

    Simulator sim;
    MbusTcpMasterProtocol master;
    RecordingDoc doc;
    mutable CVtrConfigView view{doc};
};

// The default simulated unit, every row whether its branch is expanded or not.
const char* const kDefaultUnit = R"(VTR300 Configuration
  Connected
  Self-Test Status = Pass
  Connection Information
    Protocol = Modbus TCP
    Server = 127.0.0.1
    TCP Port = PORT
  Device Information
    Manufacturer = Vantrel
    Model Number = VTR300
    Serial Number = VT3-0042137
    Firmware Revision = KX5120-04AR
    Ethernet Board FW Rev = EN2210-04
  Interface Configuration
    Modbus RTU Parameters
      Serial Interface = RS232
      Baud Rate = 19200
      Parity = Even
      Slave ID (upper 4-bits) = 16
    Modbus TCP Parameters
      IP Address = 192.168.1.50
      Subnet Mask = 255.255.255.0
      Gateway = 192.168.1.1
      Keepalive Timeout (ms) = 30000
      TCP Port = 502
      MAC Address = 00-60-35-1A-2B-01
    Modbus TCP Parameters (Secondary)
      IP Address = 192.168.2.50
      Subnet Mask = 255.255.255.0
      Gateway = 192.168.2.1
      Keepalive Timeout (ms) = 30000
      TCP Port = 502
      MAC Address = 00-60-35-1A-2B-02
  Analog Configuration
    Scan Mode = User-Defined
      Scan Interval (ms) = 250
      Scan Count = 4
      Scan List
        0
        1
        2
        16
        17
        32
    Panel 0 (Base Unit)
      Channel 0 : Input
        Average Weight = 4
      Channel 1 : Input
        Average Weight = 8
      Channel 2 : Input
        Average Weight = 16
      Channel 3 : Input
        Average Weight = 32
      Channel 4 : Input
        Average Weight = 4
      Channel 5 : Input
        Average Weight = 8
      Channel 6 : Input
        Average Weight = 16
      Channel 7 : Input
        Average Weight = 32
      Channel 8 : Output
        Default Output = 0
      Channel 9 : Output
        Default Output = 250
      Channel 10: Output
        Default Output = 500
      Channel 11: Output
        Default Output = 750
    Expansion Panel 1
      Channel 0 : Input
        Average Weight = 4
      Channel 1 : Input
        Average Weight = 8
      Channel 2 : Input
        Average Weight = 16
      Channel 3 : Input
        Average Weight = 32
      Channel 4 : Input
        Average Weight = 4
      Channel 5 : Input
        Average Weight = 8
      Channel 6 : Output
        Default Output = 0
      Channel 7 : Output
        Default Output = 250
      Channel 8 : Output
        Default Output = 500
      Channel 9 : Output
        Default Output = 750
      Channel 10: Output
        Default Output = 1000
      Channel 11: Output
        Default Output = 1250
    Expansion Panel 2
      Channel 0 : Input
        Average Weight = 4
      Channel 1 : Input
        Average Weight = 8
      Channel 2 : Input
        Average Weight = 16
      Channel 3 : Input
        Average Weight = 32
      Channel 4 : Output
        Default Output = 0
      Channel 5 : Output
        Default Output = 250
      Channel 6 : Output
        Default Output = 500
      Channel 7 : Output
        Default Output = 750
      Channel 8 : Output
        Default Output = 1000
      Channel 9 : Output
        Default Output = 1250
      Channel 10: Output
        Default Output = 1500
      Channel 11: Output
        Default Output = 1750
    Expansion Panel 3
  Digital Configuration
    Digital Panel 0
      Device Information
        Manufacturer = Vantrel
        Model Number = VTR300-D16
        Serial Number = D16-0000410
        Firmware Revision = KD1100-03
      Channel 0 : Input
      Channel 1 : Input
      Channel 2 : Input
      Channel 3 : Input
      Channel 4 : Input
      Channel 5 : Input
      Channel 6 : Input
      Channel 7 : Input
      Channel 8 : Output
        Default Output = 0
      Channel 9 : Output
        Default Output = 0
      Channel 10: Output
        Default Output = 0
      Channel 11: Output
        Default Output = 0
      Channel 12: Output
        Default Output = 0
      Channel 13: Output
        Default Output = 0
      Channel 14: Output
        Default Output = 0
      Channel 15: Output
        Default Output = 0
    Digital Panel 1
      Device Information
        Manufacturer = Vantrel
        Model Number = VTR300-D16
        Serial Number = D16-0000411
        Firmware Revision = KD1100-03
      Channel 0 : Input
      Channel 1 : Input
      Channel 2 : Input
      Channel 3 : Input
      Channel 4 : Output
        Default Output = 0
      Channel 5 : Output
        Default Output = 0
      Channel 6 : Output
        Default Output = 0
      Channel 7 : Output
        Default Output = 0
      Channel 8 : Output
        Default Output = 0
      Channel 9 : Output
        Default Output = 0
      Channel 10: Output
        Default Output = 0
      Channel 11: Output
        Default Output = 0
      Channel 12: Output
        Default Output = 0
      Channel 13: Output
        Default Output = 0
      Channel 14: Output
        Default Output = 0
      Channel 15: Output
        Default Output = 0
)";

} // namespace

TEST_F(ViewOnUnit, BeforeAnyConnectionTheRootHoldsOnlyNotConnected) {
    EXPECT_EQ(view.outlineText(), "VTR300 Configuration\n  Not Connected\n");
    EXPECT_TRUE(tree().IsExpanded(tree().GetRootItem()));
}

TEST_F(ViewOnUnit, DefaultUnitShowsTheWholeLayout) {
    ASSERT_NO_FATAL_FAILURE(connect());
    std::string expected = kDefaultUnit;
    expected.replace(expected.find("PORT"), 4, std::to_string(sim.tcpPort()));
    EXPECT_EQ(view.outlineText(), expected);
    for (const CTreeCtrl::Row& row : tree().rows()) {
        EXPECT_EQ(row.expanded, row.depth == 0) << row.text;
    }
}

TEST_F(ViewOnUnit, FailureRowsFollowTheStatusBitsInTheirFixedOrder) {
    const struct {
        uint16_t status;
        std::vector<std::string> rows;
    } cases[] = {
        {0x0000, {}},
        {0x0001, {"DAC Failure"}},
        {0x0002, {"ADC Failure"}},
        {0x0003, {"ADC Failure", "DAC Failure"}},
        {0x0014, {"EEPROM Failure", "Invalid Slave ID"}},
        {0x001F,
         {"ADC Failure", "DAC Failure", "EEPROM Failure", "SRAM Failure", "Invalid Slave ID"}},
        {0x0020, {}},
    };
    ASSERT_NO_FATAL_FAILURE(connect());
    for (const auto& c : cases) {
        changeUnit([&](SimProfile& profile) { profile.statusWord = c.status; });
        ASSERT_NO_FATAL_FAILURE(refresh());
        const HTREEITEM selfTest = item({"VTR300", "Self-Test"});
        EXPECT_EQ(tree().GetItemText(selfTest),
                  c.status != 0 ? "Self-Test Status = Fail" : "Self-Test Status = Pass");
        EXPECT_THAT(childTexts(selfTest), ElementsAreArray(c.rows)) << c.status;
    }
}

TEST_F(ViewOnUnit, ConnectionRowsFollowTheProtocolAndItsPortStaysDecimal) {
    ASSERT_NO_FATAL_FAILURE(connect());
    doc.setHexDisplay(1);
    EXPECT_THAT(childTexts(item({"VTR300", "Connection"})),
                ElementsAre("Protocol = Modbus TCP", "Server = 127.0.0.1",
                            "TCP Port = " + std::to_string(sim.tcpPort())));
    EXPECT_EQ(tree().GetItemText(item({"VTR300", "Interface", "Modbus TCP Parameters", "TCP"})),
              "TCP Port = 0x01F6");

    ConnectOptions rtu = doc.getConnectOptions();
    rtu.protocol = ConnectOptions::modbusRtu;
    rtu.comPort = 3;
    rtu.slaveId = 0x1F;
    rtu.baudIndex = 7;
    rtu.parityIndex = 0;
    doc.setConnectOptions(rtu);
    doc.setHexDisplay(0);
    EXPECT_THAT(childTexts(item({"VTR300", "Connection"})),
                ElementsAre("Protocol = Modbus RTU", "COM Port = 3", "Slave ID = 31",
                            "Baud Rate = 115200", "Parity = None"));
    // The MAC addresses belong to the Ethernet side only.
    EXPECT_THAT(childTexts(item({"VTR300", "Interface", "Modbus TCP Parameters"})),
                ::testing::Not(::testing::Contains(::testing::StartsWith("MAC Address"))));
}

TEST_F(ViewOnUnit, SecondaryInterfaceFollowsTheFirmwareAcrossReconnects) {
    const auto branches = [this] { return childTexts(item({"VTR300", "Interface"})); };
    changeUnit([](SimProfile& profile) { profile.identity.firmwareRevision = "KX5120-02AR"; });
    ASSERT_NO_FATAL_FAILURE(connect());
    EXPECT_THAT(branches(), ElementsAre("Modbus RTU Parameters", "Modbus TCP Parameters"));

    disconnect();
    EXPECT_EQ(view.outlineText(), "VTR300 Configuration\n  Not Connected\n");
    changeUnit([](SimProfile& profile) { profile.identity.firmwareRevision = "KX5120-04AR"; });
    ASSERT_NO_FATAL_FAILURE(connect());
    EXPECT_THAT(branches(), ElementsAre("Modbus RTU Parameters", "Modbus TCP Parameters",
                                        "Modbus TCP Parameters (Secondary)"));

    disconnect();
    changeUnit([](SimProfile& profile) { profile.identity.firmwareRevision = "KX5120-01AR"; });
    ASSERT_NO_FATAL_FAILURE(connect());
    EXPECT_THAT(branches(), ElementsAre("Modbus RTU Parameters", "Modbus TCP Parameters"));
}

TEST_F(ViewOnUnit, ChannelTurningFromInputToOutputReplacesOnlyItsOptionRow) {
    ASSERT_NO_FATAL_FAILURE(connect());
    const HTREEITEM channel = item({"VTR300", "Analog", "Expansion Panel 1", "Channel 2 "});
    const HTREEITEM weight = tree().GetChildItem(channel);
    ASSERT_EQ(tree().GetItemText(weight), "Average Weight = 16");
    std::vector<HTREEITEM> kept = handles();
    std::erase(kept, weight);

    changeUnit([](SimProfile& profile) {
        profile.analogState[16 + 2] = SimProfile::Output;
        profile.defaultOutput[16 + 2] = -5;
    });
    ASSERT_NO_FATAL_FAILURE(refresh());

    EXPECT_EQ(tree().GetItemText(channel), "Channel 2 : Output");
    EXPECT_THAT(childTexts(channel), ElementsAre("Default Output = -5"));
    std::vector<HTREEITEM> now = handles();
    std::erase(now, tree().GetChildItem(channel));
    EXPECT_EQ(now, kept);

    // A channel that becomes vacant leaves the tree with its option row.
    changeUnit([](SimProfile& profile) { profile.analogState[16 + 2] = SimProfile::Vacant; });
    ASSERT_NO_FATAL_FAILURE(refresh());
    EXPECT_FALSE(tree().isItem(channel));
    EXPECT_EQ(tree().GetItemText(tree().GetNextSiblingItem(
                  item({"VTR300", "Analog", "Expansion Panel 1", "Channel 1 "}))),
              "Channel 3 : Input");
}

TEST_F(ViewOnUnit, DisplayModeSwitchReplacesTextsAndKeepsItemsAndExpansion) {
    ASSERT_NO_FATAL_FAILURE(connect());
    const HTREEITEM channel = item({"VTR300", "Analog", "Panel 0", "Channel 1 "});
    for (HTREEITEM open : {tree().GetParentItem(tree().GetParentItem(channel)),
                           tree().GetParentItem(channel), channel}) {
        tree().userSetExpanded(open, true);
    }
    const HTREEITEM scanEntry = item({"VTR300", "Analog", "Scan Mode", "Scan List", "16"});
    const auto before = tree().rows();

    doc.setHexDisplay(1);
    EXPECT_EQ(tree().GetItemText(tree().GetChildItem(channel)), "Average Weight = 0x0008");
    EXPECT_EQ(tree().GetItemText(scanEntry), "0x10");
    EXPECT_EQ(tree().GetItemText(item({"VTR300", "Analog", "Panel 0", "Channel 9 ", "Default"})),
              "Default Output = 0x00FA");

    doc.setHexDisplay(0);
    const auto after = tree().rows();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].item, before[i].item);
        EXPECT_EQ(after[i].expanded, before[i].expanded) << after[i].text;
        EXPECT_EQ(after[i].text, before[i].text);
    }
}

TEST_F(ViewOnUnit, RefreshThatChangesNothingInsertsAndDeletesNoItem) {
    ASSERT_NO_FATAL_FAILURE(connect());
    ItemCounter counter;
    tree().setPeer(&counter);
    ASSERT_NO_FATAL_FAILURE(refresh());
    tree().setPeer(nullptr);
    EXPECT_EQ(counter.inserted, 0);
    EXPECT_EQ(counter.deleted, 0);
}

TEST_F(ViewOnUnit, DoubleClickAsksTheDocumentForTheRowsOperation) {
    ASSERT_NO_FATAL_FAILURE(connect());
    const struct {
        std::initializer_list<std::string> path;
        const char* call; // null: nothing
    } cases[] = {
        {{"VTR300", "Analog", "Expansion Panel 2", "Channel 5 ", "Default"}, "default output 2,5"},
        {{"VTR300", "Analog", "Panel 0", "Channel 3 ", "Average"}, "average weight 0,3"},
        {{"VTR300", "Analog", "Expansion Panel 1", "Channel 10"}, "analog states 1"},
        {{"VTR300", "Analog", "Scan Mode"}, "scan mode"},
        {{"VTR300", "Analog", "Scan Mode", "Scan List", "17"}, "scan parameters"},
        {{"VTR300", "Interface", "Modbus RTU", "Parity"}, "rtu"},
        {{"VTR300", "Interface", "Modbus TCP Parameters (Secondary)", "Gateway"}, "tcp 1"},
        {{"VTR300", "Interface", "Modbus TCP Parameters", "Gateway"}, "tcp 0"},
        {{"VTR300", "Digital", "Digital Panel 1"}, "digital states 1"},
        {{"VTR300", "Digital", "Digital Panel 1", "Channel 15", "Default"}, "digital output 1,15"},
        {{"VTR300", "Digital", "Digital Panel 0", "Device Information", "Serial"}, nullptr},
        {{"VTR300", "Device Information"}, nullptr},
    };
    for (const auto& c : cases) {
        doc.calls.clear();
        const HTREEITEM row = item(c.path);
        const bool expanded = tree().IsExpanded(row);
        tree().userDoubleClick(row);
        const std::vector<std::string> expected =
            c.call != nullptr ? std::vector<std::string>{c.call} : std::vector<std::string>{};
        EXPECT_EQ(doc.calls, expected) << tree().GetItemText(row);
        EXPECT_EQ(tree().IsExpanded(row), expanded);
    }
}
