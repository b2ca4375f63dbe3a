# `cmake --build --preset windows --target package`: a zip of the Windows build with the
# programs, both libraries, the help files and a short readme. Targets that a build does
# not have are left out. The zip and the package are named by the build's processor: x64
# for 64-bit Windows, x86 for 32-bit Windows 2000 and XP.
set(KESTREL_VERSION ${PROJECT_VERSION})
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KESTREL_WINDOWS_ARCH x64)
else()
  set(KESTREL_WINDOWS_ARCH x86)
endif()
set(kestrel_package_targets corvusap kestrelctl kestrel-sim dnin50 aegis_e5 kwlsvc08)
foreach(target IN LISTS kestrel_package_targets)
  if(TARGET ${target})
    install(TARGETS ${target} RUNTIME DESTINATION . LIBRARY DESTINATION .)
  endif()
endforeach()
foreach(page settings networks statistics about)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/help/${page}.rtf DESTINATION .)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/packaging/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME "kestrel-lx740n-utility")
set(CPACK_PACKAGE_VERSION ${KESTREL_VERSION})
set(CPACK_SYSTEM_NAME ${KESTREL_WINDOWS_ARCH})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

include(cmake/WindowsInstaller.cmake)
