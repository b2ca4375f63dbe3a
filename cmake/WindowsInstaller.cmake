# The Windows Installer package, built with wixl (Debian's msitools) from
# packaging/kestrel-utility.wxs: `cmake --build --preset windows --target msi` makes
# kestrel-lx740n-utility-<version>-x64.msi, the windows-x86 preset's the -x86.msi. wixl takes
# its sources relative to its working folder, so every file the package holds is staged in
# one folder first.
find_program(KESTREL_WIXL wixl)
find_program(KESTREL_MSIBUILD msibuild)
if(NOT KESTREL_WIXL OR NOT KESTREL_MSIBUILD)
  message(STATUS "wixl or msibuild not found (scripts/bootstrap installs them): no msi target")
  return()
endif()
# wixl writes language 1033 into the summary's template whatever the source says; the
# package is a Japanese one (the source's Languages), so msibuild sets it afterwards.
# wixl also marks an action that sets a property (type 51) as one run from the script
# (2099): run so, it would set the deferred actions' CustomActionData too late and
# unformatted. msibuild makes them immediate again.
if(KESTREL_WINDOWS_ARCH STREQUAL x64)
  set(kestrel_msi_template "x64;1041")
else()
  set(kestrel_msi_template "Intel;1041")
endif()

set(kestrel_msi_source ${CMAKE_SOURCE_DIR}/packaging/kestrel-utility.wxs)
set(kestrel_msi_files
  $<TARGET_FILE:corvusap> $<TARGET_FILE:kestrelctl> $<TARGET_FILE:kestrel-sim>
  $<TARGET_FILE:dnin50> $<TARGET_FILE:aegis_e5> $<TARGET_FILE:kwlsvc08> $<TARGET_FILE:kestrel_deploy>
  ${CMAKE_SOURCE_DIR}/packaging/README.txt ${CMAKE_SOURCE_DIR}/resources/icons/application.ico)
foreach(page settings networks statistics about)
  list(APPEND kestrel_msi_files ${CMAKE_SOURCE_DIR}/resources/help/${page}.rtf)
endforeach()

# Builds the package of `version` as `output`, its files staged in `stage`.
function(kestrel_add_msi target version output stage)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${kestrel_msi_files} ${stage}
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
      ${KESTREL_WIXL} --arch ${KESTREL_WINDOWS_ARCH} -D Arch=${KESTREL_WINDOWS_ARCH}
        -D Version=${version} -o ${output} ${kestrel_msi_source}
    COMMAND ${KESTREL_MSIBUILD} ${output}
      -s "KESTREL LX740N Wireless Utility ${version}" KESTREL "${kestrel_msi_template}"
    COMMAND ${KESTREL_MSIBUILD} ${output}
      -q "UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'ImportDeployedProfilesCommand'"
      -q "UPDATE `CustomAction` SET `Type` = 51 WHERE `Action` = 'ApplyDeployedProfileCommand'"
    DEPENDS ${kestrel_msi_source} ${kestrel_msi_files}
      corvusap kestrelctl kestrel-sim dnin50 aegis_e5 kwlsvc08 kestrel_deploy
    COMMENT "Building ${output}"
    VERBATIM)
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()

set(KESTREL_MSI ${CMAKE_BINARY_DIR}/kestrel-lx740n-utility-${KESTREL_VERSION}-${KESTREL_WINDOWS_ARCH}.msi)
kestrel_add_msi(msi ${KESTREL_VERSION} ${KESTREL_MSI} ${CMAKE_BINARY_DIR}/msi-stage)

# For the installer's end-to-end test: the same package one version later, to install over
# the first. Windows Installer ignores a version's fourth field, so the third one grows.
if(BUILD_TESTING)
  string(REPLACE "." ";" kestrel_version_fields ${KESTREL_VERSION})
  list(GET kestrel_version_fields 0 1 2 kestrel_version_fields)
  list(POP_BACK kestrel_version_fields kestrel_build)
  math(EXPR kestrel_build "${kestrel_build} + 1")
  list(APPEND kestrel_version_fields ${kestrel_build} 0)
  list(JOIN kestrel_version_fields "." KESTREL_NEXT_VERSION)
  set(KESTREL_NEXT_MSI
    ${CMAKE_BINARY_DIR}/msi-next/kestrel-lx740n-utility-${KESTREL_NEXT_VERSION}-${KESTREL_WINDOWS_ARCH}.msi)
  kestrel_add_msi(msi_next ${KESTREL_NEXT_VERSION} ${KESTREL_NEXT_MSI}
    ${CMAKE_BINARY_DIR}/msi-next/stage)
endif()
