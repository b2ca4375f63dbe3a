#pragma once
// The calling conventions of the 802.1X client library's exports, shared by the binding,
// which calls them, and by our simulated library, which provides them.

#include <windows.h>

#include "platform/dot1x_library.h"

namespace kestrel::aegis {

using Ctx = kestrel::AcContext;
using Blob = kestrel::CertificateBlob;

using GlobalOpenContextFn = Ctx(WINAPI*)(const char* application, const char* text);
using ContextTypeFn = int(WINAPI*)(Ctx);
using ContextFn = Ctx(WINAPI*)(Ctx);
using GetMacFn = Ctx(WINAPI*)(Ctx, unsigned char* mac);
using NumberFn = int(WINAPI*)(Ctx);
using ConfigWpaFn = Ctx(WINAPI*)(Ctx, int enable);
using ConfigWpaExFn = Ctx(WINAPI*)(Ctx, int enable, const char* passphrase, const char* networkName,
                                   int, int);
using UserPasswordFn = Ctx(WINAPI*)(Ctx, const char* user, const char* password);
using PeapFn = Ctx(WINAPI*)(Ctx, const char* identity, const Blob* ca, const Blob* client,
                            int option1, const char* user, const char* password, int option2, int,
                            int);
using TlsFn = Ctx(WINAPI*)(Ctx, const char* identity, const Blob* ca, const Blob* client,
                           int option2, int, int);
using AttachEventFn = Ctx(WINAPI*)(Ctx, HANDLE event);
using AuthenticateFn = Ctx(WINAPI*)(Ctx, int flags);
using TextFn = Ctx(WINAPI*)(Ctx, char* buffer, DWORD size);

// Tried in this order.
inline constexpr const wchar_t* kLibraryNames[] = {L"AegisE5.dll", L"aegisE2.dll", L"aegisE4.dll"};

}  // namespace kestrel::aegis
