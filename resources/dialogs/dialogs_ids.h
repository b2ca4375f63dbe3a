// Templates and control ids of the advanced settings and ad hoc dialogs, shared by the
// resource script and the dialog logic.
#pragma once

#define IDD_ADHOC_SETTINGS 142
#define IDD_ADVANCED_SETTINGS 143

// Advanced settings: the four lists and their labels.
#define IDC_ADV_WMM 4400
#define IDC_ADV_WMM_LABEL 4401
#define IDC_ADV_POWER_SAVE 4402
#define IDC_ADV_POWER_SAVE_LABEL 4403
#define IDC_ADV_PREAMBLE 4404
#define IDC_ADV_PREAMBLE_LABEL 4405
#define IDC_ADV_TX_POWER 4406
#define IDC_ADV_TX_POWER_LABEL 4407

// The two threshold sliders, each with its label, value label and end labels.
#define IDC_ADV_FRAG_SLIDER 4408
#define IDC_ADV_FRAG_LABEL 4409
#define IDC_ADV_FRAG_VALUE 4410
#define IDC_ADV_FRAG_LOW 4411
#define IDC_ADV_FRAG_HIGH 4412
#define IDC_ADV_RTS_SLIDER 4413
#define IDC_ADV_RTS_LABEL 4414
#define IDC_ADV_RTS_VALUE 4415
#define IDC_ADV_RTS_LOW 4416
#define IDC_ADV_RTS_HIGH 4417

// The wireless-mode group and its five check boxes (the two 108 Mbit/s ones hidden).
#define IDC_ADV_MODE_GROUP 4418
#define IDC_ADV_MODE_11A 4420
#define IDC_ADV_MODE_11A_TURBO 4421
#define IDC_ADV_MODE_11B 4422
#define IDC_ADV_MODE_11G 4423
#define IDC_ADV_MODE_11G_TURBO 4424

#define IDC_ADV_USE_DEFAULTS 4425

// Ad hoc settings.
#define IDC_ADHOC_BAND 1049
#define IDC_ADHOC_CHANNEL 1050
#define IDC_ADHOC_CHANNEL_LABEL 1083
#define IDC_ADHOC_BAND_LABEL 4430
