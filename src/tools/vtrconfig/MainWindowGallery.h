#pragma once

#include <string>

// Pictures of the main window for review, against a simulated unit in-process: not connected,
// connected in decimal and connected in hexadecimal; Quick Channel View with its edit popup over
// it, connected, with live values; then the traffic log after that connect.
class MainWindowGallery {
public:
    // Writes DIR/128-main-window-*.png, DIR/158-quick-channel-view-connected.png,
    // DIR/159-edit-analog-output-connected.png and DIR/172-traffic-log-after-connect.png;
    // returns the number written, or -1 with the reason in error. Needs the Qt backend installed.
    static int writeAll(const std::string& directory, std::string& error);
};
