# Installs the build into a scratch prefix and checks what a desktop gets from it: the programs and
# man pages, and with the studio a valid desktop entry whose MIME types are the ones the MIME
# description defines, extensions that map to those types, and the icon it names.
# cmake -DBUILD_DIR=... -DPREFIX=... -DSTUDIO=ON|OFF [-DVALIDATE=desktop-file-validate]
#       [-DUPDATE_MIME=update-mime-database] -P InstallCheck.cmake
cmake_minimum_required(VERSION 3.20)
set(failures "")
macro(fail text)
  string(APPEND failures "\n  ${text}")
endmacro()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${err}")
endif()

set(programs orlenza-render)
if(STUDIO)
  list(APPEND programs orlenza)
endif()
foreach(program IN LISTS programs)
  if(NOT EXISTS "${PREFIX}/bin/${program}")
    fail("bin/${program} is not installed")
  endif()
  if(NOT EXISTS "${PREFIX}/share/man/man1/${program}.1.gz")
    fail("the man page of ${program} is not installed")
  endif()
endforeach()

if(STUDIO)
  set(desktop "${PREFIX}/share/applications/orlenza.desktop")
  set(mime "${PREFIX}/share/mime/packages/orlenza.xml")
  foreach(path "${desktop}" "${mime}" "${PREFIX}/share/icons/hicolor/scalable/apps/orlenza.svg"
      "${PREFIX}/share/icons/hicolor/48x48/apps/orlenza.png")
    if(NOT EXISTS "${path}")
      fail("${path} is not installed")
    endif()
  endforeach()
  if(failures)
    message(FATAL_ERROR "the installed tree is incomplete:${failures}")
  endif()

  if(VALIDATE)
    execute_process(COMMAND "${VALIDATE}" "${desktop}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0 OR out)
      fail("desktop-file-validate: ${out}")
    endif()
  endif()

  file(READ "${desktop}" entry)
  if(NOT entry MATCHES "\nExec=([^ \n]+) %F\n" OR NOT EXISTS "${PREFIX}/bin/${CMAKE_MATCH_1}")
    fail("the desktop entry must start an installed program with %F")
  endif()
  if(NOT entry MATCHES "\nIcon=orlenza\n")
    fail("the desktop entry does not name the installed icon 'orlenza'")
  endif()

  # The 48 px icon really is 48 x 48: width and height sit at bytes 16 to 23 of a PNG.
  file(READ "${PREFIX}/share/icons/hicolor/48x48/apps/orlenza.png" header OFFSET 16 LIMIT 8 HEX)
  if(NOT header STREQUAL "0000003000000030")
    fail("the 48x48 icon has the size bytes ${header}")
  endif()

  # Double click works only when the entry claims exactly the types the description defines.
  string(REGEX MATCH "\nMimeType=([^\n]*);\n" claimed "${entry}")
  set(claimed "${CMAKE_MATCH_1}")
  list(SORT claimed)
  file(READ "${mime}" xml)
  string(REGEX MATCHALL "<mime-type type=\"[^\"]+\"" defined "${xml}")
  list(TRANSFORM defined REPLACE "<mime-type type=\"([^\"]+)\"" "\\1")
  list(SORT defined)
  if(NOT claimed STREQUAL defined)
    fail("the desktop entry claims '${claimed}' but the MIME description defines '${defined}'")
  endif()

  # The database built from the description maps each extension to its type.
  if(UPDATE_MIME)
    # It warns on stderr that the scratch prefix is not searched; only its status counts.
    execute_process(COMMAND "${UPDATE_MIME}" "${PREFIX}/share/mime" RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      fail("update-mime-database: ${err}")
    else()
      file(READ "${PREFIX}/share/mime/globs2" globs)
      foreach(pair "snaps=application/x-orlenza-snapshots" "grads=application/x-orlenza-gradations"
          "msnaps=application/x-orlenza-keyframes")
        string(REPLACE "=" ";" pair "${pair}")
        list(GET pair 0 extension)
        list(GET pair 1 type)
        if(NOT globs MATCHES "\n[0-9]+:${type}:\\*\\.${extension}\n")
          fail("the MIME database does not map *.${extension} to ${type}")
        endif()
      endforeach()
    endif()
  endif()
endif()

if(failures)
  message(FATAL_ERROR "the installed tree is wrong:${failures}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
