#pragma once
// Resource ids of the program: dialogs, controls, pictures, strings and the
// About command of the system menu.

constexpr int IDC_STATIC = -1;

// Dialog templates.
constexpr unsigned IDD_ABOUTBOX = 100;
constexpr unsigned IDD_MORVANE_DIALOG = 102;
constexpr unsigned IDD_VIDEO_SOURCE = 129;

// Strings.
constexpr unsigned IDS_ABOUTBOX = 101;

// Icon and bitmaps.
constexpr unsigned IDR_MAINFRAME = 128;
constexpr unsigned IDB_INDICATOR = 131;  // the recording indicator, 32x32
constexpr unsigned IDB_CORNER = 133;     // bottom left, 96x96
constexpr unsigned IDB_BANNER = 134;     // top right, 219x60
constexpr unsigned IDB_STRIP = 136;      // bottom, 649x96

// Controls of the recorder window.
constexpr int IDC_PREVIEW = 1000;
constexpr int IDC_OPEN_CAMERA = 1001;
constexpr int IDC_CLOSE_CAMERA = 1002;
constexpr int IDC_START_RECORDING = 1003;
constexpr int IDC_STOP_RECORDING = 1004;

// Controls of the video source dialog.
constexpr int IDC_SOURCE_COMBO = 1002;
constexpr int IDC_MINUTES_EDIT = 1006;

// System-menu command of the About box.
constexpr unsigned IDM_ABOUTBOX = 0x0010;
