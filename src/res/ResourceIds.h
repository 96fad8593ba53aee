#pragma once

// Identifiers of dialogs, strings and icons, as the program quotes them.

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDR_MAINFRAME = 128;
// A template that uses every control kind, for tests and the gallery.
constexpr int IDD_CONTROL_SAMPLE = 9000;
// A frame with a menu, toolbar, status bar and tree view, for tests and the gallery, and the
// commands of its menu.
constexpr int IDR_FRAME_SAMPLE = 9100;
constexpr int ID_SAMPLE_HEXADECIMAL = 9101;
constexpr int ID_SAMPLE_DECIMAL = 9102;
constexpr int ID_SAMPLE_CONNECT = 9103;
constexpr int ID_SAMPLE_UNAVAILABLE = 9104;

constexpr int IDS_APP_TITLE = 57344;
constexpr int IDS_IDLE_MESSAGE = 57345;
constexpr int IDS_CONNECTING = 32896;
constexpr int IDS_READING_DATA = 32897;
constexpr int IDS_RESETTING_ANALOG = 32898;
constexpr int IDS_WAITING_FOR_BOOT = 32899;
// The status text after the user stopped a connect or a refresh.
constexpr int IDS_CANCELLED = 32905;

// Controls of the sample template.
constexpr int IDC_SAMPLE_GROUP = 9001;
constexpr int IDC_SAMPLE_COMBO = 9002;
constexpr int IDC_SAMPLE_EDIT = 9003;
constexpr int IDC_SAMPLE_SIGNED_EDIT = 9004;
constexpr int IDC_SAMPLE_MULTILINE = 9005;
constexpr int IDC_SAMPLE_LIST = 9006;
constexpr int IDC_SAMPLE_RADIO_FIRST = 9007;
constexpr int IDC_SAMPLE_RADIO_SECOND = 9008;
constexpr int IDC_SAMPLE_RADIO_THIRD = 9009;
constexpr int IDC_SAMPLE_SHOWN_VALUE = 9010;
constexpr int IDC_SAMPLE_APPLY = 9011;
constexpr int IDC_SAMPLE_LABEL = 9012;

// Quick channel view and its output editor.
constexpr int IDD_CHAN_QUICK_VIEW = 158;
constexpr int IDD_EDIT_POPUP = 159;
constexpr int IDC_QV_CLOSE = 1197;
constexpr int IDC_QV_LIST = 1202;
constexpr int IDC_QV_ANALOG_PANEL_0 = 1215;  // analog panels 0 to 3: 1215 to 1218
constexpr int IDC_QV_DIGITAL_PANEL_0 = 1219; // digital panels 0 to 7: 1219 to 1226
constexpr int IDC_QV_LAST_PANEL = 1226;
constexpr int IDC_QV_STATUS = 1230;
constexpr int IDC_POPUP_EDIT = 1204;
constexpr int IDC_POPUP_OK = 1205;
constexpr int IDC_POPUP_CANCEL = 1206;

// Configuration dialogs.
constexpr int IDD_CFG_ANA_SCAN_PARMS = 130;
constexpr int IDD_CFG_ANA_CHAN_STATES = 132;
constexpr int IDD_CFG_ANA_IN_OPTS = 134;
constexpr int IDD_CFG_ANA_OUT_OPTS = 136;
constexpr int IDD_CFG_RTU_PARMS = 137;
constexpr int IDD_CFG_TCP_PARMS = 139;
constexpr int IDD_CFG_DIG_CHAN_STATES = 140;
constexpr int IDD_CFG_SCAN_MODE = 147;
constexpr int IDD_CFG_DIG_OUT_OPTS = 149;
constexpr int IDD_CFG_MULT_ANA_IN_OPTS = 151;
constexpr int IDD_CFG_MULT_ANA_OUT_OPTS = 153;
constexpr int IDD_CFG_MULT_DIG_OUT_OPTS = 154;

// Modbus RTU interface.
constexpr int IDC_RTU_SERIAL_INTERFACE = 1026;
constexpr int IDC_RTU_BAUD_RATE = 1029;
constexpr int IDC_RTU_PARITY = 1030;
constexpr int IDC_RTU_SLAVE_ID_HIGH = 1031;

// Modbus TCP interface: four octet boxes per address, first octet first.
constexpr int IDC_TCP_IP_ADDRESS_0 = 1033;
constexpr int IDC_TCP_SUBNET_MASK_0 = 1037;
constexpr int IDC_TCP_GATEWAY_0 = 1043;
constexpr int IDC_TCP_KEEPALIVE = 1048;
constexpr int IDC_TCP_GROUP = 1053;

// Analog scan.
constexpr int IDC_SCAN_INTERVAL = 1011;
constexpr int IDC_SCAN_COUNT = 1012;
constexpr int IDC_SCAN_LIST = 1014;
constexpr int IDC_SCAN_MODE = 1101;

// Single-channel options.
constexpr int IDC_ANA_IN_GROUP = 1022;
constexpr int IDC_ANA_IN_AVERAGE_WEIGHT = 1019;
constexpr int IDC_ANA_OUT_GROUP = 1103;
constexpr int IDC_ANA_OUT_DEFAULT_OUTPUT = 1024;
constexpr int IDC_DIG_OUT_GROUP = 1104;
constexpr int IDC_DIG_OUT_DEFAULT_OUTPUT = 1105;

// The 16-channel dialogs: their group box and, per channel 0..15, the field and its label.
constexpr int IDC_CHAN_STATES_GROUP = 1015; // analog and digital channel states
constexpr int IDC_MULT_ANA_IN_GROUP = 1139;
constexpr int IDC_MULT_ANA_OUT_GROUP = 1172;
constexpr int IDC_MULT_DIG_OUT_GROUP = 1190;
constexpr int idcAnaStateList(int channel) {
    return 1016 + 2 * channel;
}
constexpr int idcAnaStateLabel(int channel) {
    return 1017 + 2 * channel;
}
constexpr int idcDigStateList(int channel) {
    return 1070 + channel;
}
constexpr int idcDigStateLabel(int channel) {
    return 1054 + channel;
}
constexpr int idcMultAnaInList(int channel) {
    return channel < 8 ? 1107 + channel : 1115 + channel;
}
constexpr int idcMultAnaInLabel(int channel) {
    return channel < 8 ? 1115 + channel : 1123 + channel;
}
constexpr int idcMultAnaOutEdit(int channel) {
    return 1156 + channel;
}
constexpr int idcMultAnaOutLabel(int channel) {
    return 1140 + channel;
}
constexpr int idcMultDigOutList(int channel) {
    return channel == 0 ? 1189 : 1190 + channel;
}
constexpr int idcMultDigOutLabel(int channel) {
    return 1173 + channel;
}

// Connect options: how the program reaches the unit.
constexpr int IDD_MAKE_CONNECTION = 142;
constexpr int IDC_CONN_OPTIONS_GROUP = 1075;
constexpr int IDC_CONN_PROTOCOL_LABEL = 1071;
constexpr int IDC_CONN_PROTOCOL = 1072;
constexpr int IDC_CONN_RTU_GROUP = 1084;
constexpr int IDC_CONN_COM_PORT_LABEL = 1086;
constexpr int IDC_CONN_COM_PORT = 1085;
constexpr int IDC_CONN_SLAVE_ID_LABEL = 1080;
constexpr int IDC_CONN_SLAVE_ID = 1082;
constexpr int IDC_CONN_BAUD_RATE_LABEL = 1097;
constexpr int IDC_CONN_BAUD_RATE = 1076;
constexpr int IDC_CONN_PARITY_LABEL = 1083;
constexpr int IDC_CONN_PARITY = 1077;
constexpr int IDC_CONN_TCP_GROUP = 1093;
constexpr int IDC_CONN_SERVER_LABEL = 1100;
constexpr int IDC_CONN_SERVER = 1099;
constexpr int IDC_CONN_TCP_PORT_LABEL = 1091;
constexpr int IDC_CONN_TCP_PORT = 1092;
// "OK" accepts without connecting; the default button, IDOK, is "Connect".
constexpr int IDC_CONN_OK = 1191;
// The serial devices by name, and the button that makes the COM number reach the one chosen.
constexpr int IDC_CONN_DEVICE_LABEL = 1410;
constexpr int IDC_CONN_DEVICE = 1411;
constexpr int IDC_CONN_USE_DEVICE = 1412;
// Find Unit: searches a serial line or a range of addresses for units.
constexpr int IDD_FIND_UNIT = 170;
constexpr int IDC_FIND_DEVICE = 1400;
constexpr int IDC_FIND_SLAVES = 1401;
constexpr int IDC_FIND_SEARCH_RTU = 1402;
constexpr int IDC_FIND_ADDRESSES = 1403;
constexpr int IDC_FIND_SEARCH_TCP = 1404;
constexpr int IDC_FIND_PROGRESS = 1405;
constexpr int IDC_FIND_CANCEL = 1406;
constexpr int IDC_FIND_RESULTS = 1407;
// Traffic log: the last transactions with the unit, with their meaning.
constexpr int IDD_TRAFFIC_LOG = 172;
constexpr int IDC_TL_SHOW = 1420;
constexpr int IDC_TL_BLOCK = 1421;
constexpr int IDC_TL_LIST = 1422;
constexpr int IDC_TL_DETAIL = 1423;
constexpr int IDC_TL_STATUS = 1424;
constexpr int IDC_TL_PAUSE = 1425;
constexpr int IDC_TL_COPY = 1426;
constexpr int IDC_TL_SAVE_AS = 1427;
