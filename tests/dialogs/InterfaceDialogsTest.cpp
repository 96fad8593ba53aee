#include "dialogs/CCfgRtuParmsDlg.h"
#include "dialogs/CCfgTcpParmsDlg.h"
#include "res/ResourceIds.h"
#include "ui/DialogDriver.h"
#include "support/HeadlessUi.h"
#include "ui/UiConstants.h"

#include <gtest/gtest.h>

namespace {

class InterfaceDialogs : public ::testing::Test {
protected:
    HeadlessUi ui;
};

TEST_F(InterfaceDialogs, RtuDialogReturnsWhatItShowsDroppingTheLowNibbleAndUnknownCodes) {
    const struct {
        RtuConfig passed;
        const char* shown[4]; // serial interface, baud rate, parity, slave ID
        RtuConfig returned;
    } cases[] = {
        {{0x1F, 0, 4, 2}, {"RS232", "19200", "Even", "0001"}, {0x10, 0, 4, 2}},
        {{0x2A, 2, 7, 1}, {"RS485 4-wire", "115200", "Odd", "0010"}, {0x20, 2, 7, 1}},
        {{0xF0, 3, 9, 3}, {"RS232", "1200", "None", "1111"}, {0xF0, 0, 0, 0}},
    };
    CCfgRtuParmsDlg dialog;
    for (const auto& c : cases) {
        dialog.SetData(c.passed);
        ui.backend.expectDialog(IDD_CFG_RTU_PARMS, [&](DialogDriver& user) {
            EXPECT_EQ(user.title(), "Configure Modbus RTU Interface");
            const int lists[] = {IDC_RTU_SERIAL_INTERFACE, IDC_RTU_BAUD_RATE, IDC_RTU_PARITY,
                                 IDC_RTU_SLAVE_ID_HIGH};
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(user.items(lists[i])[user.selection(lists[i])], c.shown[i]);
            }
            user.click(IDOK);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetData(), c.returned) << int(c.passed.slaveIdHigh);
    }

    dialog.SetData(cases[0].passed);
    ui.backend.expectDialog(IDD_CFG_RTU_PARMS, [](DialogDriver& user) {
        EXPECT_EQ(user.items(IDC_RTU_SLAVE_ID_HIGH).size(), 16u);
        user.select(IDC_RTU_SLAVE_ID_HIGH, 3);
        user.select(IDC_RTU_PARITY, 0);
        user.pressEnter();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetData(), (RtuConfig{0x30, 0, 4, 0}));
}

TcpConfig tcpRecord() {
    TcpConfig config;
    config.ipAddress = {192, 168, 1, 100};
    config.subnetMask = {255, 255, 255, 0};
    config.gateway = {192, 168, 1, 1};
    config.keepaliveMs = 7200;
    return config;
}

TEST_F(InterfaceDialogs, TcpDialogShowsOctetsInDecimalAndTheKeepaliveInTheDisplayForm) {
    CCfgTcpParmsDlg dialog;
    for (const bool secondary : {false, true}) {
        dialog.SetData(tcpRecord(), secondary, 1);
        ui.backend.expectDialog(IDD_CFG_TCP_PARMS, [&](DialogDriver& user) {
            EXPECT_EQ(user.text(IDC_TCP_GROUP),
                      secondary ? "Modbus TCP Parameters (Secondary)" : "Modbus TCP Parameters");
            EXPECT_EQ(user.text(IDC_TCP_IP_ADDRESS_0), "192");
            EXPECT_EQ(user.text(IDC_TCP_IP_ADDRESS_0 + 3), "100");
            EXPECT_EQ(user.text(IDC_TCP_SUBNET_MASK_0 + 2), "255");
            EXPECT_EQ(user.text(IDC_TCP_GATEWAY_0 + 3), "1");
            EXPECT_EQ(user.text(IDC_TCP_KEEPALIVE), "0x1C20");
            user.click(IDOK);
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
        EXPECT_EQ(dialog.GetData(), tcpRecord());
    }
}

TEST_F(InterfaceDialogs, TcpDialogJudgesEachOctetAloneAndStopsAtTheFirstRejection) {
    const struct {
        int field;
        const char* text;
        const char* message;
    } cases[] = {
        {IDC_TCP_IP_ADDRESS_0 + 2, "", CCfgTcpParmsDlg::ipAddressMessage},
        {IDC_TCP_IP_ADDRESS_0, "256", CCfgTcpParmsDlg::ipAddressMessage},
        {IDC_TCP_SUBNET_MASK_0 + 1, "0x100", CCfgTcpParmsDlg::subnetMaskMessage},
        {IDC_TCP_GATEWAY_0 + 3, "x", CCfgTcpParmsDlg::gatewayMessage},
        {IDC_TCP_KEEPALIVE, "70000", CCfgTcpParmsDlg::keepaliveMessage},
    };
    CCfgTcpParmsDlg dialog;
    for (const auto& c : cases) {
        dialog.SetData(tcpRecord(), false, 0);
        ui.backend.expectDialog(IDD_CFG_TCP_PARMS, [&](DialogDriver& user) {
            user.type(c.field, c.text);
            // A later field that is also wrong is never looked at.
            if (c.field != IDC_TCP_KEEPALIVE) {
                user.type(IDC_TCP_KEEPALIVE, "-1");
            }
            ui.backend.answerMessageBox(IDOK);
            user.click(IDOK);
            EXPECT_FALSE(user.ended()) << c.text;
            EXPECT_EQ(user.focus(), c.field) << c.text;
            ASSERT_FALSE(ui.backend.messageBoxes().empty());
            EXPECT_EQ(ui.backend.messageBoxes().back().text, c.message);
            EXPECT_EQ(ui.backend.messageBoxes().back().caption, "Data Error");
            user.pressEscape();
        });
        const size_t boxes = ui.backend.messageBoxes().size();
        EXPECT_EQ(dialog.DoModal(), IDCANCEL) << c.text;
        EXPECT_EQ(ui.backend.messageBoxes().size(), boxes + 1) << c.text;
    }
}

TEST_F(InterfaceDialogs, TcpDialogTakesAnyOctetsInEitherForm) {
    CCfgTcpParmsDlg dialog;
    dialog.SetData(tcpRecord(), false, 0);
    ui.backend.expectDialog(IDD_CFG_TCP_PARMS, [](DialogDriver& user) {
        user.type(IDC_TCP_IP_ADDRESS_0, "0xC0");
        user.type(IDC_TCP_IP_ADDRESS_0 + 3, "255");
        user.type(IDC_TCP_SUBNET_MASK_0 + 1, "0"); // 255.0.255.0: octets are judged alone
        user.type(IDC_TCP_GATEWAY_0 + 3, "0xff");
        user.type(IDC_TCP_KEEPALIVE, "0xFFFF");
        user.click(IDOK);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    const TcpConfig result = dialog.GetData();
    EXPECT_EQ(result.ipAddress, (std::array<uint8_t, 4>{192, 168, 1, 255}));
    EXPECT_EQ(result.subnetMask, (std::array<uint8_t, 4>{255, 0, 255, 0}));
    EXPECT_EQ(result.gateway, (std::array<uint8_t, 4>{192, 168, 1, 255}));
    EXPECT_EQ(result.keepaliveMs, 0xFFFF);
}

} // namespace
