#pragma once

#include "device/ConnectOptions.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"
#include "ui/CEdit.h"

// "Configure Connect Options": how the program reaches the unit, over a COM port (Modbus RTU)
// or over Ethernet (Modbus TCP) on any TCP port, so that a unit behind port forwarding or a
// gateway is reached too. It edits a copy of the document's options; "Connect" accepts and
// asks the caller to connect at once, "OK" only accepts. Only the chosen protocol's fields are
// checked and taken over; the other protocol's options come back as they were passed.
class CMakeConnectionDlg : public CDialog {
public:
    static constexpr const char* comPortMessage =
        "Invalid COM Port value!\n\nCOM Port 0 and COM Ports greater than 255 are invalid.  "
        "Please enter a valid COM Port.";
    static constexpr const char* slaveIdMessage =
        "Invalid Slave ID value!\n\nSlave ID 0 and Slave IDs greater than 247 are invalid.  "
        "Please enter a valid Slave ID.";
    static constexpr const char* serverMessage =
        "Invalid Server value!\n\nPlease enter a valid Server name.";
    static constexpr const char* tcpPortMessage =
        "Invalid TCP Port value!\n\nTCP Port 0 and TCP Ports greater than 65535 are invalid.  "
        "Please enter a valid TCP Port.";

    CMakeConnectionDlg();

    // Starts a use of the dialog: the options to edit, and the form of the slave ID (1
    // hexadecimal, 0 decimal).
    void SetData(const ConnectOptions& options, int hexDisplay);
    // The edited options, after DoModal returned IDOK.
    ConnectOptions GetData() const { return m_options; }
    // After IDOK: the user chose "Connect" rather than "OK".
    bool connectAfterClosing() const { return m_connectAfterClosing; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

private:
    void enableForProtocol();
    void accept(bool connect);

    ConnectOptions m_options;
    bool m_hexDisplay = false;
    bool m_connectAfterClosing = false;
    CComboBox m_protocol;
    CEdit m_comPort;
    CEdit m_slaveId;
    CComboBox m_baudRate;
    CComboBox m_parity;
    CEdit m_server;
    CEdit m_tcpPort;
};
