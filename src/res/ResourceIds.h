#pragma once

// Identifiers of dialogs, strings and icons, as the program quotes them.

constexpr int IDD_ABOUTBOX = 100;
constexpr int IDR_MAINFRAME = 128;
// A template that uses every control kind, for tests and the gallery.
constexpr int IDD_CONTROL_SAMPLE = 9000;

constexpr int IDS_APP_TITLE = 57344;
constexpr int IDS_IDLE_MESSAGE = 57345;
constexpr int IDS_CONNECTING = 32896;
constexpr int IDS_READING_DATA = 32897;
constexpr int IDS_RESETTING_ANALOG = 32898;
constexpr int IDS_WAITING_FOR_BOOT = 32899;

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
