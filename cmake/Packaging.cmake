# `cmake --build --preset windows --target package`: a zip of the Windows build with the
# programs, both libraries, the help files and a short readme. Targets that a build does
# not have are left out.
set(KESTREL_VERSION ${PROJECT_VERSION})
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
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

include(cmake/WindowsInstaller.cmake)
