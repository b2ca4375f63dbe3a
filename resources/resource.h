// Resource numbers of the program's pictures, icons and bitmaps, shared by the resource
// scripts and the code that loads them. Dialog templates add their own numbers here.
#pragma once

// Pictures (type "GIF"). Page headers.
#define IDG_HEADER_INFORMATION 144
#define IDG_HEADER_NETWORK 168

// Pictures beside the settings page's network-type and security groups.
#define IDG_SETTINGS_ACCESS_POINT 166
#define IDG_SETTINGS_ADHOC 167
#define IDG_SETTINGS_PADLOCK 189
#define IDG_SETTINGS_KEY 192

// Status panel: network type, lock and the eight signal bars.
#define IDG_NETWORK_NONE 179
#define IDG_NETWORK_INFRASTRUCTURE 180
#define IDG_NETWORK_ADHOC 188
#define IDG_LOCK_NONE 183
#define IDG_LOCK_CLOSED 186
#define IDG_LOCK_OPEN 190
#define IDG_BAR_UNLIT 174
#define IDG_BAR_LIT 185
#define IDG_BAR_NONE 191

// Icons.
#define IDI_ADHOC 140
#define IDI_SIGNAL_MEDIUM 151
#define IDI_SIGNAL_STRONG 152
#define IDI_SIGNAL_WEAK 153
#define IDI_ACCESS_POINT 170
#define IDI_APPLICATION_ICON 234

// Bitmaps: status panel background and the level gauge (empty and full of each size).
#define IDB_PANEL_BACKGROUND 199
#define IDB_GAUGE_LARGE_FULL 252
#define IDB_GAUGE_LARGE_EMPTY 253
#define IDB_GAUGE_MEDIUM_EMPTY 254
#define IDB_GAUGE_MEDIUM_FULL 255
#define IDB_GAUGE_SMALL_EMPTY 272
#define IDB_GAUGE_SMALL_FULL 273
