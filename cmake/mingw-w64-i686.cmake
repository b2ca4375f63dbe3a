# Cross toolchain: mingw-w64, i686, for 32-bit Windows 2000 SP4 and XP.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KESTREL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# GCC 12's identical code folding ignores the implicit thiscall of member functions here:
# it turned the call-site-cleaned invoker of an empty lambda into an alias of an empty
# one-argument method that pops its argument, so each call left the stack 4 bytes off.
add_compile_options(-fno-ipa-icf)
