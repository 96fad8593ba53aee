#include "app/CMakeConnectionDlg.h"

#include "res/ResourceIds.h"
#include "support/HeadlessUi.h"
#include "ui/DialogDriver.h"
#include "ui/UiConstants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kRtuControls[] = {
    IDC_CONN_RTU_GROUP,      IDC_CONN_COM_PORT_LABEL, IDC_CONN_COM_PORT,
    IDC_CONN_SLAVE_ID_LABEL, IDC_CONN_SLAVE_ID,       IDC_CONN_BAUD_RATE_LABEL,
    IDC_CONN_BAUD_RATE,      IDC_CONN_PARITY_LABEL,   IDC_CONN_PARITY,
};
constexpr int kTcpControls[] = {
    IDC_CONN_TCP_GROUP,      IDC_CONN_SERVER_LABEL, IDC_CONN_SERVER,
    IDC_CONN_TCP_PORT_LABEL, IDC_CONN_TCP_PORT,
};

ConnectOptions options(uint16_t protocol) {
    ConnectOptions passed;
    passed.protocol = protocol;
    passed.comPort = 3;
    passed.slaveId = 31;
    passed.baudIndex = 7;
    passed.parityIndex = 1;
    passed.server = "unit7.plant.local";
    passed.tcpPort = 1502;
    return passed;
}

class MakeConnectionDlg : public ::testing::Test {
protected:
    void expectEnabledFor(const DialogDriver& user, uint16_t protocol) {
        const bool rtu = protocol == ConnectOptions::modbusRtu;
        for (const int id : kRtuControls) {
            EXPECT_EQ(user.enabled(id), rtu) << id << " with protocol " << protocol;
        }
        for (const int id : kTcpControls) {
            EXPECT_EQ(user.enabled(id), !rtu) << id << " with protocol " << protocol;
        }
        EXPECT_TRUE(user.enabled(IDC_CONN_PROTOCOL));
    }

    HeadlessUi ui;
    CMakeConnectionDlg dialog;
};

TEST_F(MakeConnectionDlg, OpensOnThePassedOptionsAndGreysTheProtocolNotChosen) {
    const struct {
        uint16_t protocol;
        int hexDisplay;
        const char* slaveId;
    } cases[] = {
        {ConnectOptions::modbusRtu, 0, "31"},
        {ConnectOptions::modbusTcp, 1, "0x1F"},
    };
    for (const auto& c : cases) {
        dialog.SetData(options(c.protocol), c.hexDisplay);
        ui.backend.expectDialog(IDD_MAKE_CONNECTION, [&](DialogDriver& user) {
            EXPECT_EQ(user.title(), "Configure Connect Options");
            EXPECT_EQ(user.items(IDC_CONN_PROTOCOL),
                      (std::vector<std::string>{"Modbus RTU", "Modbus TCP"}));
            EXPECT_EQ(user.selection(IDC_CONN_PROTOCOL), c.protocol);
            EXPECT_EQ(user.text(IDC_CONN_COM_PORT), "3");
            EXPECT_EQ(user.text(IDC_CONN_SLAVE_ID), c.slaveId);
            EXPECT_EQ(user.items(IDC_CONN_BAUD_RATE).size(), 8u);
            EXPECT_EQ(user.items(IDC_CONN_BAUD_RATE)[user.selection(IDC_CONN_BAUD_RATE)], "115200");
            EXPECT_EQ(user.items(IDC_CONN_PARITY),
                      (std::vector<std::string>{"None", "Odd", "Even"}));
            EXPECT_EQ(user.selection(IDC_CONN_PARITY), 1);
            EXPECT_EQ(user.text(IDC_CONN_SERVER), "unit7.plant.local");
            EXPECT_EQ(user.text(IDC_CONN_TCP_PORT), "1502");
            expectEnabledFor(user, c.protocol);

            const uint16_t other = 1 - c.protocol;
            user.select(IDC_CONN_PROTOCOL, other);
            expectEnabledFor(user, other);
            user.select(IDC_CONN_PROTOCOL, c.protocol);
            expectEnabledFor(user, c.protocol);
            user.pressEscape();
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

// Each case edits one field of the chosen protocol and accepts; a refused entry keeps the
// dialog open with the focus on its field, and Esc then leaves.
TEST_F(MakeConnectionDlg, AcceptsOrRefusesEachEntryWithItsMessage) {
    const struct {
        uint16_t protocol;
        int field;
        const char* text;
        const char* message; // null: accepted
    } cases[] = {
        {ConnectOptions::modbusRtu, IDC_CONN_COM_PORT, "0x10", nullptr},
        {ConnectOptions::modbusRtu, IDC_CONN_COM_PORT, "255", nullptr},
        {ConnectOptions::modbusRtu, IDC_CONN_COM_PORT, "256", CMakeConnectionDlg::comPortMessage},
        {ConnectOptions::modbusRtu, IDC_CONN_COM_PORT, "0", CMakeConnectionDlg::comPortMessage},
        {ConnectOptions::modbusRtu, IDC_CONN_COM_PORT, "", CMakeConnectionDlg::comPortMessage},
        {ConnectOptions::modbusRtu, IDC_CONN_COM_PORT, "COM4", CMakeConnectionDlg::comPortMessage},
        {ConnectOptions::modbusRtu, IDC_CONN_SLAVE_ID, "247", nullptr},
        {ConnectOptions::modbusRtu, IDC_CONN_SLAVE_ID, "0x01", nullptr},
        {ConnectOptions::modbusRtu, IDC_CONN_SLAVE_ID, "248", CMakeConnectionDlg::slaveIdMessage},
        {ConnectOptions::modbusRtu, IDC_CONN_SLAVE_ID, "0", CMakeConnectionDlg::slaveIdMessage},
        {ConnectOptions::modbusRtu, IDC_CONN_SLAVE_ID, "0x100", CMakeConnectionDlg::slaveIdMessage},
        {ConnectOptions::modbusTcp, IDC_CONN_SERVER, "10.0.0.9", nullptr},
        {ConnectOptions::modbusTcp, IDC_CONN_SERVER, "   ", nullptr},
        {ConnectOptions::modbusTcp, IDC_CONN_SERVER, "", CMakeConnectionDlg::serverMessage},
        {ConnectOptions::modbusTcp, IDC_CONN_TCP_PORT, "1", nullptr},
        {ConnectOptions::modbusTcp, IDC_CONN_TCP_PORT, "65535", nullptr},
        {ConnectOptions::modbusTcp, IDC_CONN_TCP_PORT, "0xFFFF", nullptr},
        {ConnectOptions::modbusTcp, IDC_CONN_TCP_PORT, "0", CMakeConnectionDlg::tcpPortMessage},
        {ConnectOptions::modbusTcp, IDC_CONN_TCP_PORT, "65536", CMakeConnectionDlg::tcpPortMessage},
        {ConnectOptions::modbusTcp, IDC_CONN_TCP_PORT, "0x10000",
         CMakeConnectionDlg::tcpPortMessage},
        {ConnectOptions::modbusTcp, IDC_CONN_TCP_PORT, "-1", CMakeConnectionDlg::tcpPortMessage},
        {ConnectOptions::modbusTcp, IDC_CONN_TCP_PORT, "", CMakeConnectionDlg::tcpPortMessage},
    };
    for (const auto& c : cases) {
        const std::string where = std::to_string(c.field) + " = \"" + c.text + "\"";
        dialog.SetData(options(c.protocol), 0);
        const size_t boxes = ui.backend.messageBoxes().size();
        ui.backend.expectDialog(IDD_MAKE_CONNECTION, [&](DialogDriver& user) {
            user.type(c.field, c.text);
            if (c.message == nullptr) {
                user.click(IDOK);
                return;
            }
            ui.backend.answerMessageBox(IDOK);
            user.click(IDOK);
            EXPECT_FALSE(user.ended()) << where;
            EXPECT_EQ(user.focus(), c.field) << where;
            EXPECT_EQ(user.text(c.field), c.text) << where;
            user.pressEscape();
        });
        if (c.message == nullptr) {
            ASSERT_EQ(dialog.DoModal(), IDOK) << where;
            EXPECT_EQ(ui.backend.messageBoxes().size(), boxes) << where;
            continue;
        }
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << where;
        ASSERT_EQ(ui.backend.messageBoxes().size(), boxes + 1) << where;
        const auto& box = ui.backend.messageBoxes().back();
        EXPECT_EQ(box.text, c.message) << where;
        EXPECT_EQ(box.caption, "Data Error");
        EXPECT_EQ(box.style, MB_OK | MB_ICONSTOP);
        EXPECT_EQ(box.owner, &dialog);
    }
}

TEST_F(MakeConnectionDlg, AcceptedEntriesReachTheRecordAndTheOtherProtocolsOptionsStay) {
    dialog.SetData(options(ConnectOptions::modbusRtu), 1);
    ui.backend.expectDialog(IDD_MAKE_CONNECTION, [](DialogDriver& user) {
        user.type(IDC_CONN_COM_PORT, "0x10");
        user.type(IDC_CONN_SLAVE_ID, "0xF7");
        user.select(IDC_CONN_BAUD_RATE, 3);
        user.select(IDC_CONN_PARITY, 0);
        user.pressEnter();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ConnectOptions expected = options(ConnectOptions::modbusRtu);
    expected.comPort = 16;
    expected.slaveId = 247;
    expected.baudIndex = 3;
    expected.parityIndex = 0;
    EXPECT_EQ(dialog.GetData(), expected);

    // A port that parsed before the slave ID was refused is not taken over when the user then
    // switches to Modbus TCP, whose acceptance leaves the serial options alone.
    dialog.SetData(options(ConnectOptions::modbusRtu), 0);
    ui.backend.expectDialog(IDD_MAKE_CONNECTION, [&](DialogDriver& user) {
        user.type(IDC_CONN_COM_PORT, "9");
        user.type(IDC_CONN_SLAVE_ID, "300");
        ui.backend.answerMessageBox(IDOK);
        user.click(IDOK);
        user.select(IDC_CONN_PROTOCOL, ConnectOptions::modbusTcp);
        user.type(IDC_CONN_SERVER, " ");
        user.type(IDC_CONN_TCP_PORT, "0x3AB7");
        user.click(IDC_CONN_OK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    expected = options(ConnectOptions::modbusTcp);
    expected.server = " ";
    expected.tcpPort = 15031;
    EXPECT_EQ(dialog.GetData(), expected);
}

TEST_F(MakeConnectionDlg, ConnectAsksToConnectOkDoesNotAndUnchangedReturnsWhatWasPassed) {
    const struct {
        uint16_t protocol;
        int hexDisplay;
        int button; // 0: Enter
        bool connect;
    } cases[] = {
        {ConnectOptions::modbusRtu, 0, IDOK, true},
        {ConnectOptions::modbusRtu, 1, IDC_CONN_OK, false},
        {ConnectOptions::modbusTcp, 0, 0, true},
        {ConnectOptions::modbusTcp, 1, IDC_CONN_OK, false},
    };
    for (const auto& c : cases) {
        dialog.SetData(options(c.protocol), c.hexDisplay);
        ui.backend.expectDialog(IDD_MAKE_CONNECTION, [&](DialogDriver& user) {
            if (c.button == 0) {
                user.pressEnter();
            } else {
                user.click(c.button);
            }
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetData(), options(c.protocol));
        EXPECT_EQ(dialog.connectAfterClosing(), c.connect) << c.button;
    }
}

} // namespace
