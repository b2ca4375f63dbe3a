# What both Windows toolchains share; each sets KESTREL_MINGW_TRIPLE and the processor first.
# The win32 thread model: the posix one links winpthread, which imports functions that
# Windows 2000 lacks (GetTickCount64, the vectored exception handlers).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KESTREL_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KESTREL_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${KESTREL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static C and C++ runtimes: the binaries then import only system DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# No link time in the PE header: the same sources link to the same bytes.
add_link_options(-Wl,--no-insert-timestamp)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)

set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
