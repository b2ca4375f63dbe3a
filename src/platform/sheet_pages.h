#pragma once
// The main sheet's pages by index: the tray opens the sheet on one, the pages switch to
// each other. The shell and the pages both need them, so they live below both.

namespace kestrel {

// When all four pages are shown.
inline constexpr int kSettingsPageIndex = 0;
inline constexpr int kNetworksPageIndex = 1;
inline constexpr int kStatisticsPageIndex = 2;
inline constexpr int kInformationPageIndex = 3;

// When only statistics and information are shown.
inline constexpr int kTwoPageInformationIndex = 1;

}  // namespace kestrel
