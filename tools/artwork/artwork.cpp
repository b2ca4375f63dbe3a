#include "artwork.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "help_rtf.h"

namespace kestrel::artwork {

namespace {

// The status panel's colour: every panel picture is drawn on it.
constexpr Colour kPanel = Rgb(49, 0, 99);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kLightGrey = Rgb(205, 205, 215);
constexpr Colour kGrey = Rgb(140, 140, 155);
constexpr Colour kDarkGrey = Rgb(80, 75, 95);
constexpr Colour kGreen = Rgb(40, 200, 80);
constexpr Colour kLightGreen = Rgb(160, 255, 160);
constexpr Colour kDarkGreen = Rgb(0, 100, 40);
constexpr Colour kYellowGreen = Rgb(214, 255, 41);
constexpr Colour kRed = Rgb(235, 45, 45);
constexpr Colour kDarkRed = Rgb(130, 0, 0);
constexpr Colour kGold = Rgb(250, 200, 50);
constexpr Colour kDarkGold = Rgb(160, 110, 10);
constexpr Colour kBlue = Rgb(60, 120, 220);
constexpr Colour kLightBlue = Rgb(150, 200, 255);
constexpr Colour kNavy = Rgb(16, 24, 80);

Canvas Scale2(const Canvas& small) {
  Canvas big(small.width() * 2, small.height() * 2);
  for (int y = 0; y < big.height(); ++y) {
    for (int x = 0; x < big.width(); ++x)
      big.set(x, y, small.at(x / 2, y / 2));
  }
  return big;
}

// --- status panel -------------------------------------------------------------------------

Canvas PanelBackground() {
  Canvas image(600, 30, kPanel);
  image.fill(0, 0, 600, 1, Rgb(95, 45, 150));
  image.fill(0, 1, 600, 1, Rgb(70, 20, 125));
  image.fill(0, 28, 600, 1, Rgb(35, 0, 75));
  image.fill(0, 29, 600, 1, Rgb(20, 0, 50));
  return image;
}

void AccessPointBox(Canvas& image, int x, int y, int width, Colour body, Colour led) {
  image.fill(x, y, width, 5, body);
  image.frame(x, y, width, 5, kDarkGrey);
  image.set(x + 2, y + 2, led);
  image.set(x + 4, y + 2, led);
}

Canvas NetworkInfrastructure() {
  Canvas image(20, 18, kPanel);
  AccessPointBox(image, 2, 12, 14, kLightGrey, kGreen);
  image.line(11, 12, 11, 5, kWhite);
  image.arc(11, 5, 4, 1, -70, 70, kYellowGreen);
  image.arc(11, 5, 7, 1, -60, 60, kYellowGreen);
  image.arc(11, 5, 4, 1, 110, 180, kYellowGreen);
  return image;
}

Canvas NetworkNotAssociated() {
  Canvas image(20, 18, kPanel);
  AccessPointBox(image, 2, 12, 14, kGrey, kDarkGrey);
  image.line(13, 12, 13, 5, kGrey);
  image.line(3, 2, 9, 8, kRed);
  image.line(4, 2, 10, 8, kRed);
  image.line(9, 2, 3, 8, kRed);
  image.line(10, 2, 4, 8, kRed);
  return image;
}

void Monitor(Canvas& image, int x, int y) {
  image.fill(x, y, 8, 6, kLightBlue);
  image.frame(x, y, 8, 6, kWhite);
  image.fill(x + 3, y + 6, 2, 2, kLightGrey);
  image.fill(x + 1, y + 8, 6, 1, kLightGrey);
}

Canvas NetworkAdHoc() {
  Canvas image(20, 18, kPanel);
  Monitor(image, 0, 3);
  Monitor(image, 12, 3);
  for (int x = 8; x < 12; x += 2)
    image.set(x, 6, kYellowGreen);
  for (int x = 2; x < 18; x += 2)
    image.set(x, 15, kYellowGreen);
  return image;
}

Canvas Lock(Colour body, Colour edge, bool open) {
  Canvas image(10, 12, kPanel);
  if (open) {
    image.arc(6, 3, 3, 1, 0, 180, edge);
    image.line(3, 3, 3, 4, edge);
  } else {
    image.arc(5, 4, 3, 1, 0, 180, edge);
    image.line(2, 4, 2, 5, edge);
    image.line(8, 4, 8, 5, edge);
  }
  image.fill(1, 6, 8, 6, body);
  image.frame(1, 6, 8, 6, edge);
  image.fill(4, 8, 2, 2, edge);
  return image;
}

Canvas SignalBar(Colour top, Colour bottom, Colour edge) {
  Canvas image(7, 15, kPanel);
  image.gradient(1, 1, 5, 13, top, bottom);
  image.frame(0, 0, 7, 15, edge);
  return image;
}

// --- page headers -------------------------------------------------------------------------

constexpr int kHeaderWidth = 352;
constexpr int kHeaderHeight = 36;
constexpr int kAntennaX = 306;
constexpr int kAntennaY = 13;

Canvas HeaderBase(const std::string& subtitle) {
  Canvas image(kHeaderWidth, kHeaderHeight);
  image.gradient(0, 0, kHeaderWidth, kHeaderHeight, kNavy, kPanel);
  image.fill(0, kHeaderHeight - 2, kHeaderWidth, 2, kYellowGreen);
  image.text(12, 4, "KESTREL LX740N", 2, kWhite);
  image.text(12, 23, subtitle, 1, kYellowGreen);
  return image;
}

void Antenna(Canvas& image, int waves) {
  image.fill(kAntennaX - 6, 28, 13, 4, kLightGrey);
  image.frame(kAntennaX - 6, 28, 13, 4, kGrey);
  image.line(kAntennaX, 28, kAntennaX, kAntennaY, kLightGrey);
  image.disc(kAntennaX, kAntennaY, 1, kWhite);
  for (int wave = 1; wave <= waves; ++wave) {
    const int radius = 4 + 6 * wave;
    image.arc(kAntennaX, kAntennaY, radius, 2, -50, 50, kYellowGreen);
    image.arc(kAntennaX, kAntennaY, radius, 2, 130, 180, kYellowGreen);
    image.arc(kAntennaX, kAntennaY, radius, 2, -180, -130, kYellowGreen);
  }
}

// The networks and statistics pages' header: the antenna with all three waves. One image,
// as every picture of the program: a still picture costs nothing once drawn.
Canvas NetworkHeader() {
  Canvas image = HeaderBase("802.11A/B/G DUAL-BAND WIRELESS LAN");
  Antenna(image, 3);
  return image;
}

Canvas InformationHeader() {
  Canvas image = HeaderBase("QUICK BEACON WIRELESS UTILITY");
  image.disc(kAntennaX, 17, 12, kLightBlue);
  image.disc(kAntennaX, 17, 10, kBlue);
  image.text(kAntennaX - 4, 11, "I", 2, kWhite);
  image.fill(kAntennaX - 1, 7, 2, 2, kWhite);
  return image;
}

// --- settings page pictures (transparent, on the page's own colour) --------------------------

Canvas SettingsAccessPoint() {
  Canvas image(32, 32);
  image.fill(5, 22, 22, 8, kLightGrey);
  image.frame(5, 22, 22, 8, kGrey);
  image.fill(8, 25, 2, 2, kGreen);
  image.fill(12, 25, 2, 2, kGreen);
  image.line(22, 22, 22, 10, kGrey);
  image.line(23, 22, 23, 10, kGrey);
  image.disc(22, 9, 1, kDarkGrey);
  for (int wave = 1; wave <= 3; ++wave)
    image.arc(22, 9, 3 + 4 * wave, 2, -60, 60, kBlue);
  return image;
}

void Laptop(Canvas& image, int x, int y) {
  image.fill(x + 1, y, 12, 9, kLightBlue);
  image.frame(x + 1, y, 12, 9, kDarkGrey);
  image.fill(x, y + 9, 14, 3, kGrey);
  image.frame(x, y + 9, 14, 3, kDarkGrey);
}

Canvas SettingsAdHoc() {
  Canvas image(32, 32);
  Laptop(image, 0, 4);
  Laptop(image, 17, 16);
  for (int step = 0; step < 6; ++step)
    image.fill(9 + 3 * step, 18 + step % 2, 2, 2, kGreen);
  return image;
}

Canvas SettingsPadlock() {
  Canvas image(32, 32);
  image.arc(16, 13, 9, 3, 0, 180, kGrey);
  image.fill(7, 13, 3, 2, kGrey);
  image.fill(23, 13, 3, 2, kGrey);
  image.fill(5, 14, 22, 16, kGold);
  image.frame(5, 14, 22, 16, kDarkGold);
  image.fill(6, 15, 20, 2, Rgb(255, 230, 140));
  image.disc(16, 20, 2, kDarkGold);
  image.fill(15, 21, 3, 5, kDarkGold);
  return image;
}

Canvas SettingsKey() {
  Canvas image(32, 32);
  image.disc(9, 16, 7, kGold);
  image.disc(9, 16, 3, kClear);
  image.fill(15, 14, 15, 4, kGold);
  image.fill(22, 18, 3, 4, kGold);
  image.fill(27, 18, 3, 6, kGold);
  image.frame(15, 14, 15, 4, kDarkGold);
  return image;
}

// --- icons --------------------------------------------------------------------------------

Canvas AccessPointIcon() {
  Canvas image(16, 16);
  image.fill(1, 10, 14, 5, kLightGrey);
  image.frame(1, 10, 14, 5, kDarkGrey);
  image.set(3, 12, kGreen);
  image.set(5, 12, kGreen);
  image.line(11, 10, 11, 4, kDarkGrey);
  image.arc(11, 4, 3, 1, -60, 60, kBlue);
  image.arc(11, 4, 6, 1, -45, 45, kBlue);
  return image;
}

Canvas AdHocIcon() {
  Canvas image(16, 16);
  auto computer = [&image](int x, int y) {
    image.fill(x, y, 7, 5, kLightBlue);
    image.frame(x, y, 7, 5, kDarkGrey);
    image.fill(x + 2, y + 5, 3, 1, kDarkGrey);
    image.fill(x + 1, y + 6, 5, 1, kDarkGrey);
  };
  computer(0, 1);
  computer(9, 8);
  image.line(4, 9, 4, 12, kGreen);
  image.line(4, 12, 8, 12, kGreen);
  return image;
}

Canvas SignalIcon(int lit, Colour litColour) {
  Canvas image(16, 16);
  for (int bar = 0; bar < 5; ++bar) {
    const int height = 3 + bar * 3;
    const int x = 1 + bar * 3;
    image.fill(x, 16 - height, 2, height, bar < lit ? litColour : kGrey);
    image.frame(x - 0, 16 - height, 2, 1, bar < lit ? kWhite : kLightGrey);
  }
  return image;
}

Canvas ApplicationIcon(int side) {
  Canvas image(side, side);
  image.gradient(1, 1, side - 2, side - 2, kBlue, kNavy);
  image.frame(1, 1, side - 2, side - 2, kNavy);
  image.set(1, 1, kClear);
  image.set(side - 2, 1, kClear);
  image.set(1, side - 2, kClear);
  image.set(side - 2, side - 2, kClear);
  const int scale = side / 16;
  image.text(side * 3 / 16, side * 5 / 16, "K", scale, kWhite);
  const int cx = side - side / 4;
  const int cy = side / 4 + 1;
  image.disc(cx, cy, scale > 1 ? 1 : 0, kYellowGreen);
  for (int wave = 1; wave <= (side >= 32 ? 2 : 1); ++wave)
    image.arc(cx, cy, 3 * wave * scale, scale, -45, 60, kYellowGreen);
  return image;
}

// --- gauge --------------------------------------------------------------------------------

Canvas Gauge(int height, bool lit) {
  Canvas image(32, height, Rgb(0, 0, 0));
  const int segments = (height - 2) / 4;
  for (int segment = 0; segment < segments; ++segment) {
    const int y = height - 2 - 4 * (segment + 1) + 1;
    const int percent = segment * 100 / segments;
    Colour colour = percent < 60   ? Rgb(40, 230, 60)
                    : percent < 85 ? Rgb(240, 230, 40)
                                   : Rgb(240, 50, 40);
    if (!lit)
      colour = percent < 60 ? Rgb(0, 60, 10) : percent < 85 ? Rgb(60, 55, 0) : Rgb(65, 10, 5);
    image.fill(4, y, 24, 3, colour);
  }
  return image;
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file)
    throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

Bytes TextBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

}  // namespace

std::vector<Asset> BuildAssets(const std::string& resources) {
  std::vector<Asset> assets{
      {"bitmaps/panel_background.bmp", EncodeBmp(PanelBackground())},
      {"bitmaps/gauge_large_empty.bmp", EncodeBmp(Gauge(184, false))},
      {"bitmaps/gauge_large_full.bmp", EncodeBmp(Gauge(184, true))},
      {"bitmaps/gauge_medium_empty.bmp", EncodeBmp(Gauge(170, false))},
      {"bitmaps/gauge_medium_full.bmp", EncodeBmp(Gauge(170, true))},
      {"bitmaps/gauge_small_empty.bmp", EncodeBmp(Gauge(150, false))},
      {"bitmaps/gauge_small_full.bmp", EncodeBmp(Gauge(150, true))},
      {"gif/network_none.gif", EncodeGif(NetworkNotAssociated())},
      {"gif/network_infrastructure.gif", EncodeGif(NetworkInfrastructure())},
      {"gif/network_adhoc.gif", EncodeGif(NetworkAdHoc())},
      {"gif/lock_none.gif", EncodeGif(Lock(kGrey, kLightGrey, false))},
      {"gif/lock_closed.gif", EncodeGif(Lock(kGold, kDarkGold, false))},
      {"gif/lock_open.gif", EncodeGif(Lock(kLightGreen, kGreen, true))},
      {"gif/bar_lit.gif", EncodeGif(SignalBar(kLightGreen, Rgb(0, 170, 60), kDarkGreen))},
      {"gif/bar_unlit.gif",
       EncodeGif(SignalBar(Rgb(90, 60, 130), Rgb(70, 40, 110), Rgb(120, 90, 160)))},
      {"gif/bar_none.gif", EncodeGif(SignalBar(Rgb(255, 120, 120), Rgb(200, 0, 0), kDarkRed))},
      {"gif/header_network.gif", EncodeGif(NetworkHeader())},
      {"gif/header_information.gif", EncodeGif(InformationHeader())},
      {"gif/settings_access_point.gif", EncodeGif(SettingsAccessPoint())},
      {"gif/settings_adhoc.gif", EncodeGif(SettingsAdHoc())},
      {"gif/settings_padlock.gif", EncodeGif(SettingsPadlock())},
      {"gif/settings_key.gif", EncodeGif(SettingsKey())},
      {"icons/access_point.ico", EncodeIco({AccessPointIcon(), Scale2(AccessPointIcon())})},
      {"icons/adhoc.ico", EncodeIco({AdHocIcon(), Scale2(AdHocIcon())})},
      {"icons/signal_strong.ico",
       EncodeIco({SignalIcon(5, kGreen), Scale2(SignalIcon(5, kGreen))})},
      {"icons/signal_medium.ico", EncodeIco({SignalIcon(3, kGold), Scale2(SignalIcon(3, kGold))})},
      {"icons/signal_weak.ico", EncodeIco({SignalIcon(1, kRed), Scale2(SignalIcon(1, kRed))})},
      {"icons/application.ico", EncodeIco({ApplicationIcon(16), ApplicationIcon(32)})},
  };
  for (const char* page : {"settings", "networks", "statistics", "about"}) {
    const std::string markup = ReadText(resources + "/help/source/" + page + ".txt");
    assets.push_back({std::string("help/") + page + ".rtf", TextBytes(HelpMarkupToRtf(markup))});
  }
  return assets;
}

}  // namespace kestrel::artwork
