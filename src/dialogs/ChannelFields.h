#pragma once

#include "device/PanelLayout.h"
#include "ui/CDataExchange.h"
#include "ui/CStatic.h"

#include <array>
#include <cstdint>

// One value per channel of a panel.
template <typename T>
using PanelValues = std::array<T, PanelLayout::channelsPerPanel>;

// The fields of a 16-channel dialog, indexed by channel number, with the "Channel n" labels
// where the dialog greys them together with their fields. All per-channel work of those
// dialogs goes through here.
template <typename Field>
class ChannelFields {
public:
    using ControlIdOf = int (*)(int channel);

    // Binds every channel's field, and its label when labelId is given.
    void bind(CDataExchange* pDX, ControlIdOf fieldId, ControlIdOf labelId = nullptr) {
        for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
            DDX_Control(pDX, fieldId(channel), m_fields[channel]);
            if (labelId != nullptr) {
                DDX_Control(pDX, labelId(channel), m_labels[channel]);
            }
        }
    }

    Field& operator[](int channel) { return m_fields[channel]; }
    const Field& operator[](int channel) const { return m_fields[channel]; }

    // A channel's field and label are active only where the channel has the role the field
    // sets; elsewhere both are greyed.
    void enableByState(const PanelValues<int16_t>& states, int16_t role) {
        for (int channel = 0; channel < PanelLayout::channelsPerPanel; ++channel) {
            const bool active = states[channel] == role;
            m_fields[channel].EnableWindow(active);
            m_labels[channel].EnableWindow(active);
        }
    }

private:
    PanelValues<Field> m_fields;
    PanelValues<CStatic> m_labels;
};
