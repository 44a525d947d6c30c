# Fails when the source tree breaks its layout rules:
# - a source outside the *_wx files includes a toolkit header (wxWidgets, GTK, GDK, GLib,
#   WebKit) or a *_wx header, which would pull the toolkit into the logic library;
# - a folder includes from a folder above it: startup uses options, gallery and viewer; gallery
#   reads the option table; all of them use platform, which uses none of them.
cmake_minimum_required(VERSION 3.25)
set(allowed_platform platform)
set(allowed_options options platform)
set(allowed_gallery gallery options platform)
set(allowed_viewer viewer platform)
set(allowed_startup startup options gallery viewer platform)

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h")
set(offenders "")
foreach(source IN LISTS sources)
  string(REGEX REPLACE "/.*" "" folder "${source}")
  file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(NOT source MATCHES "_(wx|gtk|msw)\\.(cpp|h)$" AND
       line MATCHES "[<\"](wx/|gtk/|gdk/|glib|gio/|webkit|JavaScriptCore|[^>\"]*_wx\\.h)")
      string(APPEND offenders "  ${source}: toolkit header outside a *_wx, *_gtk or *_msw file: ${line}\n")
    endif()
    if(line MATCHES "\"([a-z]+)/[^\"]+\"")
      if(NOT CMAKE_MATCH_1 IN_LIST allowed_${folder})
        string(APPEND offenders "  ${source}: ${folder}/ may not include ${CMAKE_MATCH_1}/: ${line}\n")
      endif()
    endif()
  endforeach()
endforeach()
if(offenders)
  message(FATAL_ERROR "layout rules broken:\n${offenders}")
endif()
message(STATUS "layout rules hold for ${SOURCE_DIR}")
