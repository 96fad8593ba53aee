#pragma once

#include <string>

// Captions of the dialogs' group boxes, set when a dialog opens.

// "Panel 0 (Base Unit)", "Expansion Panel 1" to "Expansion Panel 3".
std::string AnalogPanelCaption(int panel);
// "Digital Panel %d".
std::string DigitalPanelCaption(int panel);
// "Panel %d, Channel %d" for the single-channel dialogs.
std::string ChannelCaption(int panel, int channel);
