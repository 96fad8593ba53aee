#include "ui/SampleFrame.h"

#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "ui/CCmdUI.h"
#include "ui/UiConstants.h"

namespace {

constexpr int kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                               ID_INDICATOR_SCRL};

} // namespace

SampleFrame::SampleFrame() {
    handleCommand(ID_SAMPLE_HEXADECIMAL, [this] { hexadecimal = true; });
    handleUpdate(ID_SAMPLE_HEXADECIMAL, [this](CCmdUI& update) { update.SetCheck(hexadecimal); });
    handleCommand(ID_SAMPLE_DECIMAL, [this] { hexadecimal = false; });
    handleUpdate(ID_SAMPLE_DECIMAL, [this](CCmdUI& update) { update.SetCheck(!hexadecimal); });
    handleCommand(ID_SAMPLE_CONNECT, [this] {
        connected = true;
        ++connects;
    });
    handleUpdate(ID_SAMPLE_CONNECT, [this](CCmdUI& update) {
        update.SetText(connected ? "&Refresh Data\tF4" : "&Connect\tF4");
    });
    handleCommand(ID_APP_ABOUT, [this] { ++abouts; });
}

SampleFrame::~SampleFrame() {
    DestroyWindow();
}

bool SampleFrame::create() {
    if (!LoadFrame(IDR_FRAME_SAMPLE, kIndicators) || !m_view.CreateView(*this)) {
        return false;
    }
    SetActiveView(&m_view);
    fillTree();
    ShowWindow(SW_SHOW);
    updateCommandUI();
    return true;
}

void SampleFrame::fillTree() {
    CTreeCtrl& tree = m_view.GetTreeCtrl();
    const HTREEITEM connection = tree.InsertItem("Connection Info", 0);
    tree.InsertItem("Protocol: Modbus TCP", 0, connection);
    tree.InsertItem("Server: 192.168.1.100", 0, connection);
    const HTREEITEM device = tree.InsertItem("Device Info", 0);
    tree.InsertItem("Model Number: VTR300", 0, device);
    tree.InsertItem("Firmware Revision: 1.6", 0, device);
    const HTREEITEM analog = tree.InsertItem("Analog Configuration", 0);
    tree.InsertItem("Scan Mode: Continuous", 0, analog);
    for (const HTREEITEM branch : {connection, device, analog}) {
        tree.Expand(branch, TVE_EXPAND);
    }
    tree.SelectItem(tree.GetChildItem(connection));
}
