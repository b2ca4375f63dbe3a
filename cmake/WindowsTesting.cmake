# GoogleTest for the Windows build comes from Debian's sources, compiled with the cross toolchain.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)
# The win32 thread model has no std::mutex or std::condition_variable, which GoogleTest's
# Notification is made of; it gets one of its own, on every target that includes GoogleTest.
foreach(target gtest gmock)
  target_compile_definitions(${target} PUBLIC GTEST_HAS_NOTIFICATION_=1)
  target_compile_options(${target} PUBLIC -include ${CMAKE_CURRENT_LIST_DIR}/gtest_notification.h)
endforeach()
