#pragma once

#include "device/PanelLayout.h"
#include "device/ScanParameters.h"
#include "tree/CVtrTreeDataDec.h"
#include "tree/CVtrTreeDataEnum.h"
#include "tree/CVtrTreeDataIp.h"
#include "tree/CVtrTreeDataMac.h"
#include "tree/CVtrTreeDataStr.h"
#include "tree/CVtrTreeDataU16.h"
#include "tree/CVtrTreeDataU8.h"
#include "tree/CVtrTreeNode.h"
#include "tree/TreeValueRow.h"
#include "ui/CTreeView.h"

#include <array>
#include <cstdint>
#include <string>

class CVtrConfigDoc;
struct TcpConfig;

// The configuration tree: the connection state and, while a unit is connected, everything the
// document has read from it, one row per fact. Every row that can ever appear exists from
// construction, linked into one fixed tree; an update sets which rows are present and what
// they show, then brings the tree control into line by inserting and deleting only the rows
// whose presence changed. Items that stay keep their expansion and selection. The only rows
// made at run time are the option rows of analog and digital channels.
class CVtrConfigView : public CTreeView {
public:
    // The view joins the document's views, so that every change of the document reaches it.
    explicit CVtrConfigView(CVtrConfigDoc& document);
    ~CVtrConfigView() override;

    // Brings the tree up to date with the document, after every change of it; the arguments
    // do not matter.
    void OnUpdate(CView* sender, intptr_t hint, void* hintObject) override;

    // Every row of the control, expanded or not, one per line, indented two blanks per level.
    std::string outlineText() const;

private:
    struct TcpRows {
        CVtrTreeNode branch;
        TreeValueRow<CVtrTreeDataIp> ipAddress;
        TreeValueRow<CVtrTreeDataIp> subnetMask;
        TreeValueRow<CVtrTreeDataIp> gateway;
        TreeValueRow<CVtrTreeDataU16> keepalive;
        TreeValueRow<CVtrTreeDataU16> tcpPort;
        TreeValueRow<CVtrTreeDataMac> macAddress;
    };
    struct AnalogPanelRows {
        CVtrTreeNode panel;
        std::array<TreeValueRow<CVtrTreeDataEnum>, PanelLayout::channelsPerPanel> channels;
    };
    struct DigitalPanelRows {
        static constexpr int deviceStrings = 4;
        CVtrTreeNode panel;
        CVtrTreeNode deviceInfo;
        std::array<TreeValueRow<CVtrTreeDataStr>, deviceStrings> strings;
        std::array<TreeValueRow<CVtrTreeDataEnum>, PanelLayout::channelsPerPanel> channels;
    };
    static constexpr int statusFailures = 5;
    static constexpr int deviceStrings = 5;

    void buildLayout();
    void buildInterfaceRows();
    void buildTcpRows(TcpRows& rows, const char* label, int index);
    void buildAnalogRows();
    void buildDigitalRows();

    void updateStatus();
    void updateConnection();
    void updateInterfaces();
    void updateTcp(TcpRows& rows, const TcpConfig* config, bool macShown);
    void updateScan();
    void updateAnalogChannels();
    void updateDigitalPanels();
    void deleteOptionRow(CVtrTreeNode& channel);
    void deleteAllOptionRows();

    void pruneItems(CVtrTreeNode& row);
    void showItems(CVtrTreeNode& row);
    long OnDblClk();

    CVtrConfigDoc& m_document;
    std::string m_text; // every row's text passes through it, so that its memory is reused
    int32_t m_hex = 0;
    int32_t m_wasConnected = 0;

    CVtrTreeNode m_root;
    CVtrTreeNode m_notConnected;
    CVtrTreeNode m_connected;
    TreeValueRow<CVtrTreeDataEnum> m_selfTest;
    std::array<CVtrTreeNode, statusFailures> m_failures;

    CVtrTreeNode m_connectionInfo;
    TreeValueRow<CVtrTreeDataEnum> m_protocol;
    TreeValueRow<CVtrTreeDataDec> m_comPort;
    TreeValueRow<CVtrTreeDataU8> m_slaveId;
    TreeValueRow<CVtrTreeDataEnum> m_baudRate;
    TreeValueRow<CVtrTreeDataEnum> m_parity;
    TreeValueRow<CVtrTreeDataStr> m_server;
    TreeValueRow<CVtrTreeDataDec> m_tcpPort;

    CVtrTreeNode m_deviceInfo;
    std::array<TreeValueRow<CVtrTreeDataStr>, deviceStrings> m_deviceStrings;

    CVtrTreeNode m_interfaceConfig;
    CVtrTreeNode m_rtuParameters;
    TreeValueRow<CVtrTreeDataEnum> m_serialInterface;
    TreeValueRow<CVtrTreeDataEnum> m_rtuBaudRate;
    TreeValueRow<CVtrTreeDataEnum> m_rtuParity;
    TreeValueRow<CVtrTreeDataU8> m_slaveIdHigh;
    std::array<TcpRows, 2> m_tcp;

    CVtrTreeNode m_analogConfig;
    TreeValueRow<CVtrTreeDataEnum> m_scanMode;
    TreeValueRow<CVtrTreeDataU16> m_scanInterval;
    TreeValueRow<CVtrTreeDataU16> m_scanCount;
    CVtrTreeNode m_scanList;
    std::array<TreeValueRow<CVtrTreeDataU8>, ScanParameters::maxEntries> m_scanEntries;
    std::array<AnalogPanelRows, PanelLayout::analogPanels> m_analogPanels;

    CVtrTreeNode m_digitalConfig;
    std::array<DigitalPanelRows, PanelLayout::digitalPanels> m_digitalPanels;
};
