#include "win32/window_subclass.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

#include "win32/critical_section.h"

namespace kestrel {

namespace {

constexpr wchar_t kChainProperty[] = L"KestrelSubclassChain";

struct Subclass {
  SubclassProcedure procedure;  // null once removed while the chain was being called
  UINT_PTR id;
  DWORD_PTR data;
};

// One window's procedures, the first installed first; the last is called first.
struct Chain {
  WNDPROC original = nullptr;
  std::vector<Subclass> subclasses;
  int calls = 0;  // messages being handled by the chain, nested ones included
  bool destroyed = false;
  std::size_t next = 0;  // the procedure CallNextSubclass calls, counted from the front, plus 1
};

// The property is the record an installation or removal reads: the system drops it with the
// window, even one whose WM_NCDESTROY our procedure never saw. Every message looks its chain
// up in this process's own table instead, since under Wine each property read is a round trip
// to the server.
Chain* RecordedChain(HWND window) {
  return static_cast<Chain*>(GetPropW(window, kChainProperty));
}

struct ChainTable {
  CriticalSection lock;
  std::unordered_map<HWND, Chain*> chains;
};

ChainTable& Table() {
  static ChainTable table;
  return table;
}

Chain* ChainOf(HWND window) {
  ChainTable& table = Table();
  CriticalSectionGuard guard(table.lock);
  const auto found = table.chains.find(window);
  return found != table.chains.end() ? found->second : nullptr;
}

void Remember(HWND window, Chain* chain) {
  ChainTable& table = Table();
  CriticalSectionGuard guard(table.lock);
  table.chains[window] = chain;
}

void Forget(HWND window, const Chain* chain) {
  ChainTable& table = Table();
  CriticalSectionGuard guard(table.lock);
  const auto found = table.chains.find(window);
  if (found != table.chains.end() && found->second == chain)
    table.chains.erase(found);
}

LRESULT CALLBACK ChainProc(HWND window, UINT message, WPARAM w, LPARAM l);

LRESULT CallFrom(Chain& chain, HWND window, UINT message, WPARAM w, LPARAM l) {
  while (chain.next > 0) {
    const Subclass subclass = chain.subclasses[--chain.next];
    if (subclass.procedure != nullptr)
      return subclass.procedure(window, message, w, l, subclass.id, subclass.data);
  }
  return CallWindowProcW(chain.original, window, message, w, l);
}

// Gives the window its own procedure back when nothing is installed or the window is gone,
// and nothing is being called. A procedure put over ours since keeps the chain it calls.
void ReleaseIfDone(HWND window, Chain* chain) {
  if (chain->calls > 0)
    return;
  std::vector<Subclass>& list = chain->subclasses;
  std::size_t kept = 0;
  for (const Subclass& subclass : list)
    if (subclass.procedure != nullptr)
      list[kept++] = subclass;
  list.resize(kept);
  if (!list.empty() && !chain->destroyed)
    return;
  if (!chain->destroyed &&
      GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(ChainProc))
    return;
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
  RemovePropW(window, kChainProperty);
  Forget(window, chain);
  delete chain;
}

LRESULT CALLBACK ChainProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  Chain* chain = ChainOf(window);
  if (chain == nullptr)
    return DefWindowProcW(window, message, w, l);
  const std::size_t outer = chain->next;
  if (message == WM_NCDESTROY)
    chain->destroyed = true;
  ++chain->calls;
  chain->next = chain->subclasses.size();
  const LRESULT result = CallFrom(*chain, window, message, w, l);
  chain->next = outer;
  --chain->calls;
  ReleaseIfDone(window, chain);
  return result;
}

}  // namespace

bool InstallSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id, DWORD_PTR data) {
  if (window == nullptr || procedure == nullptr)
    return false;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId())
    return false;
  Chain* chain = RecordedChain(window);
  if (chain == nullptr) {
    chain = new Chain;
    if (!SetPropW(window, kChainProperty, chain)) {
      delete chain;
      return false;
    }
    Remember(window, chain);
    chain->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ChainProc)));
  }
  for (Subclass& subclass : chain->subclasses) {
    if (subclass.procedure == procedure && subclass.id == id) {
      subclass.data = data;
      return true;
    }
  }
  chain->subclasses.push_back({procedure, id, data});
  return true;
}

void RemoveSubclass(HWND window, SubclassProcedure procedure, UINT_PTR id) {
  Chain* chain = RecordedChain(window);
  if (chain == nullptr)
    return;
  for (Subclass& subclass : chain->subclasses)
    if (subclass.procedure == procedure && subclass.id == id)
      subclass.procedure = nullptr;
  ReleaseIfDone(window, chain);
}

LRESULT CallNextSubclass(HWND window, UINT message, WPARAM w, LPARAM l) {
  Chain* chain = ChainOf(window);
  if (chain == nullptr || chain->calls == 0)
    return DefWindowProcW(window, message, w, l);
  return CallFrom(*chain, window, message, w, l);
}

}  // namespace kestrel
