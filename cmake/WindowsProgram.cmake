# The Windows program (included from src/CMakeLists.txt): one statically linked .exe with the web
# view inside it, and its resources: version information, manifest and icon.
enable_language(RC)
# The window's frame as drawn, shadow excluded, comes from the desktop window manager (dwmapi).
target_link_libraries(selvara_wx PUBLIC dwmapi)

# The icon resource is made from the PNGs at build time, the large size kept as PNG inside the
# .ico as Windows expects, the others as bitmaps.
set(resource_dir "${PROJECT_BINARY_DIR}/resources")
set(icon "${resource_dir}/selvara-card-viewer.ico")
set(icon_pngs)
foreach(size 16 24 32 48 64 128)
  list(APPEND icon_pngs "${PROJECT_SOURCE_DIR}/resources/icons/selvara-card-viewer-${size}.png")
endforeach()
set(large_png "${PROJECT_SOURCE_DIR}/resources/icons/selvara-card-viewer-256.png")
find_program(SELVARA_ICOTOOL icotool REQUIRED)
add_custom_command(OUTPUT "${icon}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${resource_dir}"
  COMMAND ${SELVARA_ICOTOOL} --create --output=${icon} ${icon_pngs} --raw=${large_png}
  DEPENDS ${icon_pngs} "${large_png}"
  COMMENT "Making the program icon ${icon}" VERBATIM)
add_custom_target(program_icon DEPENDS "${icon}")

set(resource_script "${PROJECT_SOURCE_DIR}/resources/windows/selvara-card-viewer.rc")
add_library(selvara_resources OBJECT "${resource_script}")
target_include_directories(selvara_resources PRIVATE "${PROJECT_SOURCE_DIR}/resources/windows"
                                                     "${resource_dir}")
target_compile_definitions(selvara_resources PRIVATE
  SELVARA_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  SELVARA_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  SELVARA_VERSION_REVISION=${PROJECT_VERSION_PATCH})
add_dependencies(selvara_resources program_icon)
set_source_files_properties("${resource_script}" PROPERTIES OBJECT_DEPENDS
  "${icon};${PROJECT_SOURCE_DIR}/resources/windows/selvara-card-viewer.manifest")

# A GUI program: Windows opens no console window for it.
add_executable(selvara-card-viewer WIN32 startup/main_wx.cpp
                                         $<TARGET_OBJECTS:selvara_resources>)
target_link_libraries(selvara-card-viewer PRIVATE selvara_wx)
target_compile_options(selvara-card-viewer PRIVATE ${SELVARA_WARNING_FLAGS})
set_target_properties(selvara-card-viewer PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/bin")
install(TARGETS selvara-card-viewer RUNTIME DESTINATION .)
