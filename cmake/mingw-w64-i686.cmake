# Cross toolchain: mingw-w64, i686, for 32-bit Windows 2000 SP4 and XP.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KESTREL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
