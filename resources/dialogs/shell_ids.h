// Resource numbers of the application shell: the hidden main window, the
// zero-configuration prompt and the application title string.
#pragma once

#define IDD_HIDDEN_MAIN 102
#define IDD_ZERO_CONFIG_PROMPT 179
#define IDS_APPLICATION_TITLE 2

// Controls of the zero-configuration prompt (shell range 4500-4599).
#define IDC_ZERO_CONFIG_TEXT 4500
#define IDC_ZERO_CONFIG_DONT_SHOW 4501
