#pragma once

#include "dialogs/ChannelFields.h"
#include "ui/CButton.h"
#include "ui/CComboBox.h"
#include "ui/CDialog.h"

#include <string>

// What the analog and digital channel states dialogs share: one "Vacant" / "Input" / "Output"
// list per channel of one panel. A list can be greyed where the panel has no such channel; it
// still holds and returns the state passed to it.
class CChannelStatesDlg : public CDialog {
public:
    void SetData(int panel, const PanelValues<int16_t>& states);
    PanelValues<int16_t> GetData() const { return m_states; }

protected:
    CChannelStatesDlg(int templateId, ChannelFields<CComboBox>::ControlIdOf listId);

    void DoDataExchange(CDataExchange* pDX) override;
    int OnInitDialog() override;
    void OnOK() override;

    virtual std::string groupCaption(int panel) const = 0;
    virtual bool isChannelFitted(int /*panel*/, int /*channel*/) const { return true; }

private:
    ChannelFields<CComboBox>::ControlIdOf m_listId;
    int m_panel = 0;
    PanelValues<int16_t> m_states{};
    CButton m_group;
    ChannelFields<CComboBox> m_lists;
};
