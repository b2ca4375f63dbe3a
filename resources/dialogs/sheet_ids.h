// Dialog templates and control ids of the main sheet's small dialogs.
#pragma once

#define IDD_SAVE_CHANGES 178
#define IDD_APPLYING_SETTINGS 180

// Controls (the sheet's range is 4000-4099).
#define IDC_SAVE_CHANGES_TEXT 4001
#define IDC_APPLYING_TEXT 4002
