# Finds the WebKitGTK API that the installed wxWidgets web view library itself links (4.0 or 4.1)
# and makes the imported target PkgConfig::WEBKIT of it. Linking the other API would bring a second
# network library (libsoup 2 beside libsoup 3) into the process, which aborts at start.
# Needs wxWidgets_LIBRARIES from find_package(wxWidgets ... webview) and PkgConfig.

# wx-config names the web view library as -lwx_..._webview-X.Y beside its -L folders.
set(_webview_name "")
set(_webview_dirs "")
foreach(item IN LISTS wxWidgets_LIBRARIES)
  if(item MATCHES "^-L(.+)$")
    list(APPEND _webview_dirs "${CMAKE_MATCH_1}")
  elseif(item MATCHES "^-l(wx_[^ ]*webview[^ ]*)$")
    set(_webview_name "${CMAKE_MATCH_1}")
  elseif(item MATCHES "webview[^/]*\\.so")
    set(SELVARA_WX_WEBVIEW_LIBRARY "${item}" CACHE FILEPATH "The wxWidgets web view library")
  endif()
endforeach()
if(_webview_name)
  find_library(SELVARA_WX_WEBVIEW_LIBRARY NAMES "${_webview_name}" HINTS ${_webview_dirs})
endif()
if(NOT SELVARA_WX_WEBVIEW_LIBRARY)
  message(FATAL_ERROR "No wxWidgets web view library among '${wxWidgets_LIBRARIES}': install "
                      "the wxWidgets web view development files (Debian: libwxgtk-webview3.2-dev)")
endif()

if(NOT CMAKE_READELF)
  find_program(CMAKE_READELF readelf)
endif()
if(NOT CMAKE_READELF)
  message(FATAL_ERROR "readelf (binutils) is needed to read what ${SELVARA_WX_WEBVIEW_LIBRARY} links")
endif()
execute_process(COMMAND "${CMAKE_READELF}" -d "${SELVARA_WX_WEBVIEW_LIBRARY}"
                OUTPUT_VARIABLE _webview_dynamic RESULT_VARIABLE _readelf_status)
string(REGEX MATCH "NEEDED[^\n]*libwebkit2gtk-([0-9]+\\.[0-9]+)\\.so" _needed "${_webview_dynamic}")
if(NOT _readelf_status EQUAL 0 OR NOT _needed)
  message(FATAL_ERROR "${SELVARA_WX_WEBVIEW_LIBRARY} links no WebKitGTK library (libwebkit2gtk-4.x); "
                      "the viewer needs wxWidgets built with WebKitGTK")
endif()
set(SELVARA_WEBKIT_API "${CMAKE_MATCH_1}")

pkg_check_modules(WEBKIT QUIET IMPORTED_TARGET "webkit2gtk-${SELVARA_WEBKIT_API}")
if(NOT WEBKIT_FOUND)
  message(FATAL_ERROR "The wxWidgets web view links WebKitGTK ${SELVARA_WEBKIT_API}, whose "
                      "development files (pkg-config module webkit2gtk-${SELVARA_WEBKIT_API}) are "
                      "not installed: install libwebkit2gtk-${SELVARA_WEBKIT_API}-dev "
                      "(tools/install-deps.sh does)")
endif()
# The same API's page-process extensions, for the extension that routes card pictures.
pkg_check_modules(WEBKIT_EXTENSION QUIET IMPORTED_TARGET
                  "webkit2gtk-web-extension-${SELVARA_WEBKIT_API}")
if(NOT WEBKIT_EXTENSION_FOUND)
  message(FATAL_ERROR "No pkg-config module webkit2gtk-web-extension-${SELVARA_WEBKIT_API}: "
                      "install libwebkit2gtk-${SELVARA_WEBKIT_API}-dev")
endif()
message(STATUS "Web engine: webkit2gtk-${SELVARA_WEBKIT_API} ${WEBKIT_VERSION}, as "
               "${SELVARA_WX_WEBVIEW_LIBRARY} links")
