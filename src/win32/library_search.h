#pragma once
// Where the outside libraries come from: the program's own directory, never the current
// directory or the search path, where anyone may have put a file of the same name.

#include <windows.h>

#include <string>

namespace kestrel {

// `fileName` in the executable's directory; empty when that directory is unknown.
std::wstring BesideProgram(const wchar_t* fileName);
// Loads `fileName` from the executable's directory only; null when it is not there.
HMODULE LoadLibraryBesideProgram(const wchar_t* fileName);
// Takes the current directory out of the process's DLL search, and on systems that offer
// it limits the search to the system's and the program's directories.
void RestrictDllSearch();

}  // namespace kestrel
