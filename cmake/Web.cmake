# The web build (Emscripten): the demo's rooms as they are (cmake/Rooms.cmake)
# without the native decoders and platform, the browser platform of
# platform/web, the stb decoders of services/web, and our GL layer over
# Emscripten's legacy GL emulation. Configure with
#   emcmake cmake -S . -B build-web -DLUMIVANE_DATA_DIR=<a generated data folder>
# (./web.sh does it all). Output: build-web/site/ (index.html, .js, .wasm,
# .data, frames.js), a folder of static files.
if(NOT LUMIVANE_DATA_DIR)
  message(FATAL_ERROR "The web build packs a generated data folder: set LUMIVANE_DATA_DIR (./web.sh does)")
endif()

set(WEB_DIR ${CMAKE_SOURCE_DIR}/platform/web)
set(LUMIVANE_ROOT ${CMAKE_SOURCE_DIR})
set(LUMIVANE_NATIVE_DECODERS OFF CACHE BOOL "" FORCE)
set(LUMIVANE_NATIVE_PLATFORM OFF CACHE BOOL "" FORCE)
# Every file of the rooms is compiled with LegacyGL.h forced in (its GL calls
# that the emulation lacks go to our layer) and WebCompat.h (what this C++
# library lacks). The layer itself sees the emulation's own names.
include(cmake/Rooms.cmake)
foreach(room lumivane_seam lumivane_services lumivane_effects lumivane_window lumivane_app)
  target_compile_options(${room} PRIVATE "SHELL:-include ${WEB_DIR}/LegacyGL.h" "SHELL:-include ${WEB_DIR}/WebCompat.h")
endforeach()
file(GLOB WEB_DECODER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/services/web/*.cpp)
target_sources(lumivane_services PRIVATE ${WEB_DECODER_SOURCES})
target_include_directories(lumivane_services PRIVATE /usr/include/stb)

add_library(lumivane_legacy_gl STATIC ${WEB_DIR}/LegacyGL.cpp)

set(SITE_DIR ${CMAKE_BINARY_DIR}/site)
file(GLOB WEB_SOURCES CONFIGURE_DEPENDS ${WEB_DIR}/*.cpp)
list(REMOVE_ITEM WEB_SOURCES ${WEB_DIR}/LegacyGL.cpp)
add_executable(lumivane-web ${WEB_SOURCES})
set_target_properties(lumivane-web PROPERTIES OUTPUT_NAME index SUFFIX ".html"
  RUNTIME_OUTPUT_DIRECTORY ${SITE_DIR})
# The program's own folder, as app/main.cpp is the native program's.
target_include_directories(lumivane-web PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(lumivane-web PRIVATE "SHELL:-include ${WEB_DIR}/LegacyGL.h" "SHELL:-include ${WEB_DIR}/WebCompat.h")
target_link_libraries(lumivane-web PRIVATE lumivane_app lumivane_effects lumivane_window lumivane_services
  lumivane_legacy_gl)
set(WEB_LINK_OPTIONS
  -sLEGACY_GL_EMULATION=1 -sMAX_WEBGL_VERSION=1
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sENVIRONMENT=web -sMINIFY_HTML=0
  -sEXPORTED_FUNCTIONS=_lumivane_start,_lumivane_render -sEXPORTED_RUNTIME_METHODS=ccall,UTF8ToString
  --shell-file ${CMAKE_SOURCE_DIR}/web/shell.html
  --preload-file ${LUMIVANE_DATA_DIR}@/data)
target_link_options(lumivane-web PRIVATE ${WEB_LINK_OPTIONS})
set_property(TARGET lumivane-web APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/shell.html)
add_custom_command(TARGET lumivane-web POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/frames.js ${SITE_DIR}/frames.js)

# The page around the demo (web/page.js and the rest) beside index.html, with
# the setup dialog's picture for the start screen.
set(PAGE_OUTPUTS)
foreach(file page.js page.css audio.js)
  add_custom_command(OUTPUT ${SITE_DIR}/${file}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/${file} ${SITE_DIR}/${file}
    DEPENDS ${CMAKE_SOURCE_DIR}/web/${file})
  list(APPEND PAGE_OUTPUTS ${SITE_DIR}/${file})
endforeach()
add_custom_command(OUTPUT ${SITE_DIR}/setup.png
  COMMAND ${CMAKE_COMMAND} -E copy ${LUMIVANE_DATA_DIR}/setup.png ${SITE_DIR}/setup.png
  DEPENDS ${LUMIVANE_DATA_DIR}/setup.png)
add_custom_target(lumivane-page ALL DEPENDS ${PAGE_OUTPUTS} ${SITE_DIR}/setup.png)
