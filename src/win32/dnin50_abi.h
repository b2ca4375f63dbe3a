#pragma once
// The calling conventions of DNIN50.dll's exports, shared by the utility, which calls
// them, and by our simulated library, which provides them.

#include <windows.h>

namespace kestrel::dnin50 {

using OpenAdapterFn = HANDLE(WINAPI*)(LPCSTR deviceName);
using MakeNdisRequestFn = DWORD(WINAPI*)(HANDLE adapter, void* request, OVERLAPPED* completion,
                                         BOOL synchronous);
using CloseAdapterFn = BOOL(WINAPI*)(HANDLE adapter);
using GetNetCardRegistryPathFn = LPCSTR(WINAPI*)();
using EnumOpenFn = HANDLE(WINAPI*)(DWORD value);
using EnumHandleFn = HANDLE(WINAPI*)(HANDLE enumeration);
using EnumReleaseFn = void(WINAPI*)(HANDLE handle);
using EnumTextFn = DWORD(WINAPI*)(HANDLE entry, LPSTR buffer, LPDWORD size);

inline constexpr wchar_t kLibraryName[] = L"DNIN50.dll";

// The enumeration functions are exported by ordinal only.
inline constexpr WORD kOrdinalEnumOpen = 49;
inline constexpr WORD kOrdinalEnumClose = 51;
inline constexpr WORD kOrdinalEnumFirst = 52;
inline constexpr WORD kOrdinalEnumNext = 53;
inline constexpr WORD kOrdinalEnumRelease = 54;
inline constexpr WORD kOrdinalDescription = 55;
inline constexpr WORD kOrdinalDeviceName = 57;

}  // namespace kestrel::dnin50
