#include "dialogs/GroupCaption.h"

std::string AnalogPanelCaption(int panel) {
    if (panel == 0) {
        return "Panel 0 (Base Unit)";
    }
    // Panels beyond the three expansion panels never reach a dialog; name them plainly.
    if (panel < 0 || panel > 3) {
        return "Panel " + std::to_string(panel);
    }
    return "Expansion Panel " + std::to_string(panel);
}

std::string DigitalPanelCaption(int panel) {
    return "Digital Panel " + std::to_string(panel);
}

std::string ChannelCaption(int panel, int channel) {
    return "Panel " + std::to_string(panel) + ", Channel " + std::to_string(channel);
}
