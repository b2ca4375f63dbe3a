#include "win32/ui/settings/settings_page_view.h"

#include "dialogs/settings_ids.h"
#include "resource.h"
#include "ui/settings/settings_controls.h"
#include "win32/help_pane.h"

namespace kestrel {

namespace {

struct PictureSlot {
  int control;
  int resource;
};
constexpr PictureSlot kPictures[] = {
    {IDC_SETTINGS_PICTURE_INFRASTRUCTURE, IDG_SETTINGS_ACCESS_POINT},
    {IDC_SETTINGS_PICTURE_ADHOC, IDG_SETTINGS_ADHOC},
    {IDC_SETTINGS_PICTURE_PADLOCK, IDG_SETTINGS_PADLOCK},
    {IDC_SETTINGS_PICTURE_KEY, IDG_SETTINGS_KEY},
};
constexpr std::size_t kSecurityPicture = 2;

// The one page whose keys are looked at; the sheet shows one settings page at a time.
SettingsPageView* keyHookPage = nullptr;

KeyPress DecodeKey(const MSG& message, HWND page) {
  KeyPress key;
  const auto virtualKey = static_cast<UINT>(message.wParam);
  if (virtualKey == VK_BACK) {
    key.kind = KeyPress::Kind::Backspace;
  } else if (virtualKey == VK_DELETE) {
    key.kind = KeyPress::Kind::Delete;
  } else if (MapVirtualKeyW(virtualKey, MAPVK_VK_TO_CHAR) >= 0x20) {
    key.kind = KeyPress::Kind::Printable;
  }
  if (virtualKey >= 'A' && virtualKey <= 'Z')
    key.letter = static_cast<char>(virtualKey);
  key.alt = (message.lParam & (1 << 29)) != 0;
  key.ctrl = GetKeyState(VK_CONTROL) < 0;
  if (GetParent(message.hwnd) == page)
    key.target = GetDlgCtrlID(message.hwnd);
  return key;
}

}  // namespace

SettingsPageView::SettingsPageView(AppServices& services, SheetControl& sheet,
                                   SettingsDialogs& dialogs, HINSTANCE instance)
    : instance_(instance),
      system_(services.system),
      page_(services, controls_, *this, timers_, sheet, dialogs) {
  LoadRichEditLibrary();
}

SettingsPageView::~SettingsPageView() {
  removeKeyHook();
}

PROPSHEETPAGEW SettingsPageView::sheetPage() {
  return propertyPage(instance_, IDD_SETTINGS);
}

BOOL SettingsPageView::onInitDialog() {
  timers_.setWindow(hwnd());
  for (std::size_t i = 0; i < pictures_.size(); ++i) {
    pictures_[i].Attach(GetDlgItem(hwnd(), kPictures[i].control));
    pictures_[i].LoadResource(instance_, MAKEINTRESOURCEW(kPictures[i].resource));
  }
  if (system_.os == OsKind::Xp)
    pictures_[kSecurityPicture].SetBackgroundColor(GetSysColor(COLOR_BTNFACE));
  stillDrawn_ = {};
  page_.OnInitDialog();
  return TRUE;
}

void SettingsPageView::onDestroy() {
  removeKeyHook();
  for (AnimatedPicture& picture : pictures_)
    picture.Stop();
  timers_.setWindow(nullptr);
}

void SettingsPageView::onCommand(int id, std::optional<ControlEvent> event) {
  if (event && !controls_.echoing())
    page_.onCommand(id, *event);
}

void SettingsPageView::onTimer(UINT_PTR id) {
  page_.onTimer(static_cast<std::uint32_t>(id));
}

// The key hook is set only while the page is shown and the sheet active: every message of
// the thread passes it.
void SettingsPageView::onSetActive() {
  keyHook_.start(GetParent(hwnd()));
  keyHookPage = this;
  page_.onSetActive();
  ShowPageHelp(GetDlgItem(hwnd(), IDC_SETTINGS_HELP), "settings.rtf");
}

// Hidden, the page's playing picture stops; the timer's next tick after the page shows
// again plays it on from the frame it reached.
bool SettingsPageView::onKillActive() {
  if (!page_.onKillActive())
    return false;
  removeKeyHook();
  for (AnimatedPicture& picture : pictures_)
    picture.Stop();
  return true;
}

void SettingsPageView::removeKeyHook() {
  keyHook_.stop();
  if (keyHookPage == this)
    keyHookPage = nullptr;
}

bool SettingsPageView::onApply() {
  return page_.apply();
}

void SettingsPageView::setPageModified(bool modified) {
  if (hwnd() == nullptr)
    return;
  HWND sheet = GetParent(hwnd());
  SendMessageW(sheet, modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(hwnd()), 0);
}

void SettingsPageView::setPasswordMask(ControlId id, bool masked) {
  HWND edit = GetDlgItem(hwnd(), id);
  if (edit == nullptr)
    return;
  SendMessageW(edit, EM_SETPASSWORDCHAR, masked ? L'*' : 0, 0);
  InvalidateRect(edit, nullptr, TRUE);
}

void SettingsPageView::selectAllText(ControlId id) {
  SendDlgItemMessageW(hwnd(), id, EM_SETSEL, 0, -1);
}

void SettingsPageView::setCaret(ControlId id, int position) {
  SendDlgItemMessageW(hwnd(), id, EM_SETSEL, static_cast<WPARAM>(position), position);
}

// A playing picture ignores Draw; one whose play has ended starts again.
void SettingsPageView::drawPictures() {
  for (std::size_t i = 0; i < pictures_.size(); ++i) {
    if (pictures_[i].IsAnimatedGif())
      pictures_[i].Draw();
    else if (!stillDrawn_[i])
      stillDrawn_[i] = pictures_[i].Draw();
  }
}

// Key messages bound for the sheet while this page shows, before the dialog manager
// turns them into mnemonics or characters.
bool SettingsPageView::preTranslate(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
    return false;
  if (hwnd() == nullptr || !IsWindowVisible(hwnd()))
    return false;
  HWND sheet = GetParent(hwnd());
  if (message.hwnd != sheet && !IsChild(sheet, message.hwnd))
    return false;
  return page_.preTranslateKey(DecodeKey(message, hwnd()));
}

LRESULT CALLBACK SettingsPageView::KeyHook(int code, WPARAM w, LPARAM l) {
  if (code == HC_ACTION && w == PM_REMOVE && keyHookPage != nullptr) {
    auto* message = reinterpret_cast<MSG*>(l);
    if (keyHookPage->preTranslate(*message))
      message->message = WM_NULL;
  }
  return CallNextHookEx(nullptr, code, w, l);
}

}  // namespace kestrel
