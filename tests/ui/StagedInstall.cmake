# Installs the build into a staging folder (DESTDIR) with a generated catalogue, runs the installed
# program, and runs the scenario driver as if it were the installed program: its folder is the
# staged bin folder (not writable) and XDG_DATA_DIRS names the staged share folder.
# Arguments: BUILD_DIR, WORK, DEMO_DATA, DRIVER, VERSION.
cmake_minimum_required(VERSION 3.25)

function(run)
  cmake_parse_arguments(R "" "OUTPUT" "COMMAND" ${ARGN})
  execute_process(COMMAND ${R_COMMAND} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${R_COMMAND}\n${out}\n${err}")
  endif()
  if(R_OUTPUT)
    set(${R_OUTPUT} "${out}" PARENT_SCOPE)
  endif()
endfunction()

function(expect text pattern what)
  if(NOT text MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: expected to match '${pattern}', got:\n${text}")
  endif()
endfunction()

if(EXISTS "${WORK}/stage/usr/bin")
  file(CHMOD "${WORK}/stage/usr/bin" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endif()
file(REMOVE_RECURSE "${WORK}")
# A catalogue path with blanks and Japanese characters, as a customer's may be.
set(gen "${WORK}/gen 溶接")
run(COMMAND "${DEMO_DATA}" catalogue "${gen}")
run(COMMAND "${DEMO_DATA}" backup "${WORK}/backup")

set(stage "${WORK}/stage")
run(COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${stage}"
            ${CMAKE_COMMAND} -DCMAKE_INSTALL_PREFIX=/usr "-DWISETUP_CATALOGUE_DIR=${gen}/WeldingMode"
            -P "${BUILD_DIR}/cmake_install.cmake")

foreach(f bin/wisetup share/applications/wisetup.desktop
          share/icons/hicolor/scalable/apps/wisetup.svg share/metainfo/wisetup.metainfo.xml
          share/man/man1/wisetup.1.gz share/doc/wisetup/copyright share/doc/wisetup/changelog.gz
          share/wisetup/WeldingMode)
  if(NOT EXISTS "${stage}/usr/${f}")
    message(FATAL_ERROR "not installed: /usr/${f}")
  endif()
endforeach()
file(GLOB_RECURSE catalogue RELATIVE "${stage}/usr/share/wisetup/WeldingMode"
     "${stage}/usr/share/wisetup/WeldingMode/*")
list(LENGTH catalogue count)
if(count EQUAL 0)
  message(FATAL_ERROR "the installed catalogue is empty")
endif()

find_program(desktop_validate desktop-file-validate)
if(desktop_validate)
  run(COMMAND "${desktop_validate}" "${stage}/usr/share/applications/wisetup.desktop")
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli)
  # Warnings are allowed: the plain id "wisetup" is not a reverse domain name, and we own none.
  execute_process(COMMAND "${appstreamcli}" validate --no-net
                          "${stage}/usr/share/metainfo/wisetup.metainfo.xml"
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if("${out}${err}" MATCHES "(^|\n) *E: ")
    message(FATAL_ERROR "appstreamcli finds errors:\n${out}${err}")
  endif()
endif()

# The installed program answers without a display.
run(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            "${stage}/usr/bin/wisetup" --version OUTPUT out)
expect("${out}" "^wisetup ${VERSION}\n$" "wisetup --version")
run(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
            "${stage}/usr/bin/wisetup" --help OUTPUT out)
expect("${out}" "--version" "wisetup --help")

# Started offscreen, it stays up with its folder browser open until it is stopped.
execute_process(COMMAND ${CMAKE_COMMAND} -E env "HOME=${WORK}/home" "XDG_CONFIG_HOME=${WORK}/config"
                        "XDG_DATA_DIRS=${stage}/usr/share" QT_QPA_PLATFORM=offscreen
                        "${stage}/usr/bin/wisetup"
                TIMEOUT 3 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc MATCHES "timeout")
  message(FATAL_ERROR "the installed program ended at start (${rc}):\n${out}\n${err}")
endif()

# Installed under /usr the program's folder is not the user's to write: the settings fall back to
# the XDG config folder, and the catalogue is found through XDG_DATA_DIRS.
file(CHMOD "${stage}/usr/bin" DIRECTORY_PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(WRITE "${WORK}/run.script" "appdir ${stage}/usr/bin
answer folder ${WORK}/backup
start
select ComboBoxWpsWelder 1
dump SettingsPath Welder1.WpsModel Welder1.CatalogueTemplates.Count
click ButtonExit
")
run(COMMAND ${CMAKE_COMMAND} -E env "HOME=${WORK}/home" "XDG_CONFIG_HOME=${WORK}/config"
            "XDG_DATA_HOME=${WORK}/data" "XDG_DATA_DIRS=${WORK}/nowhere:${stage}/usr/share"
            "${DRIVER}" "${WORK}/run.script" OUTPUT out)
file(CHMOD "${stage}/usr/bin" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
message(STATUS "driver transcript:\n${out}")
if(out MATCHES "message error")
  message(FATAL_ERROR "the staged layout showed an error")
endif()
expect("${out}" "SettingsPath=\"${WORK}/config/wisetup/wisetup.INI\"" "settings fallback")
expect("${out}" "Welder1.WpsModel=1\n" "model accepted")
expect("${out}" "Welder1.CatalogueTemplates.Count=[1-9]" "catalogue found")
expect("${out}" "exit 0" "exit")
if(NOT EXISTS "${WORK}/config/wisetup/wisetup.INI")
  message(FATAL_ERROR "the settings were not written to the fallback folder")
endif()
if(EXISTS "${stage}/usr/bin/wisetup.INI")
  message(FATAL_ERROR "settings written beside the installed program")
endif()
