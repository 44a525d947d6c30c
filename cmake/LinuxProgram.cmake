# The Linux program (included from src/CMakeLists.txt): the GTK toolkit layer's libraries, the
# browser module with its web engine, and the files installed beside the program.
target_link_libraries(selvara_wx PUBLIC PkgConfig::GTK3)
# The web view and its engine live in a module the viewer loads once it needs a browser, so
# that their large libraries are not loaded before the options dialog is on screen.
set(browser_module_dir selvara-card-viewer)
add_library(selvara_browser MODULE ${browser_sources})
target_link_libraries(selvara_browser PRIVATE selvara_wx PkgConfig::WEBKIT)
target_compile_options(selvara_browser PRIVATE ${SELVARA_WARNING_FLAGS})
set_target_properties(selvara_browser PROPERTIES
  PREFIX "" LIBRARY_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin" CXX_VISIBILITY_PRESET hidden)
# The web engine's page-process extension that sends card pictures through the picture scheme, in
# a folder of its own beside the module: the engine loads every library there.
set(picture_extension_dir web-extensions)
add_library(selvara_pictures MODULE ${page_process_sources})
target_include_directories(selvara_pictures PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}")
target_link_libraries(selvara_pictures PRIVATE PkgConfig::WEBKIT_EXTENSION)
# NOTE: the engine's page process is built without the sanitizers, whose run-time refuses to come
# into a process by a library it loads: the extension is always built without them.
target_compile_options(selvara_pictures PRIVATE ${SELVARA_WARNING_FLAGS} -fno-sanitize=all)
target_link_options(selvara_pictures PRIVATE -fno-sanitize=all)
set_target_properties(selvara_pictures PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden
  LIBRARY_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin/${picture_extension_dir}")
add_dependencies(selvara_browser selvara_pictures)
target_compile_definitions(selvara_browser PRIVATE
  SELVARA_PICTURE_EXTENSION_DIR="${picture_extension_dir}")
target_compile_definitions(selvara_wx PRIVATE
  SELVARA_BROWSER_MODULE="selvara_browser.so"
  SELVARA_BROWSER_MODULE_DIR="${browser_module_dir}"
  SELVARA_PICTURE_EXTENSION="${picture_extension_dir}/selvara_pictures.so")

add_executable(selvara-card-viewer startup/main_wx.cpp)
add_dependencies(selvara-card-viewer selvara_browser)
target_link_libraries(selvara-card-viewer PRIVATE selvara_wx)
target_compile_options(selvara-card-viewer PRIVATE ${SELVARA_WARNING_FLAGS})
set_target_properties(selvara-card-viewer PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin")

include(GNUInstallDirs)
install(TARGETS selvara-card-viewer RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS selvara_browser LIBRARY DESTINATION lib/${browser_module_dir})
install(TARGETS selvara_pictures
        LIBRARY DESTINATION lib/${browser_module_dir}/${picture_extension_dir})
install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/selvara-card-viewer.desktop"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/io.selvara.CardViewer.metainfo.xml"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Manual pages are installed compressed; -n keeps the archive the same from build to build.
set(manual "${PROJECT_BINARY_DIR}/selvara-card-viewer.1.gz")
add_custom_command(OUTPUT "${manual}"
  COMMAND gzip -9n -c "${PROJECT_SOURCE_DIR}/resources/desktop/selvara-card-viewer.1" > "${manual}"
  DEPENDS "${PROJECT_SOURCE_DIR}/resources/desktop/selvara-card-viewer.1" VERBATIM)
add_custom_target(manual_page ALL DEPENDS "${manual}")
install(FILES "${manual}" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
foreach(size 16 24 32 48 64 128 256)
  install(FILES "${PROJECT_SOURCE_DIR}/resources/icons/selvara-card-viewer-${size}.png"
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME selvara-card-viewer.png)
endforeach()
