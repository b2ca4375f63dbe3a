#pragma once
// Lets a property page see key messages before the sheet's dialog handling does, so that
// it can swallow Alt+letter combinations whose mnemonics belong to hidden sheet buttons.

#include <windows.h>

#include "ui/pages/page_common.h"

namespace kestrel {

using PageKeyRule = bool (*)(const PageKey& key);

// While attached, key messages bound for the page's sheet are offered to `rule` when the
// page is the visible (active) one; a swallowed message becomes WM_NULL. One message hook
// serves every attached page of the thread, set only while a page is attached and the sheet
// of the first one is the active window (each hook costs every message of the thread several
// server calls under Wine). Attaching an attached page again changes nothing.
void AttachPageKeyFilter(HWND page, PageKeyRule rule);
void DetachPageKeyFilter(HWND page);

}  // namespace kestrel
