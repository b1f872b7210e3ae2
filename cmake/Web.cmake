# The web build (Emscripten): the demo's own sources, the browser platform of
# platform/web and the decoders of services/web, with our GL layer over
# Emscripten's legacy GL emulation. Configure with
#   emcmake cmake -S . -B build-web -DLUMIVANE_DATA_DIR=<a generated data folder>
# (./web.sh does it all). Output: build-web/site/ (index.html, .js, .wasm,
# .data, frames.js), a folder of static files.
if(NOT LUMIVANE_DATA_DIR)
  message(FATAL_ERROR "The web build packs a generated data folder: set LUMIVANE_DATA_DIR (./web.sh does)")
endif()

set(WEB_DIR ${CMAKE_SOURCE_DIR}/platform/web)
file(GLOB WEB_SOURCES CONFIGURE_DEPENDS
  app/*.cpp window/*.cpp services/*.cpp effects/*.cpp platform/Report.cpp
  platform/web/*.cpp services/web/*.cpp)
# Native-only parts: the entry point, the allocator tuning (glibc), libpng and
# libvorbisfile + SDL (the web has its own decoders), Mesa's immediate buffer.
foreach(native app/main.cpp app/ProgramStart.cpp services/PngTexture.cpp services/PngWriter.cpp
    services/SoundLayer.cpp window/ImmediateBuffer.cpp)
  list(REMOVE_ITEM WEB_SOURCES ${CMAKE_SOURCE_DIR}/${native})
endforeach()
list(REMOVE_ITEM WEB_SOURCES ${WEB_DIR}/LegacyGL.cpp)

# The GL layer itself sees the emulation's names; everything else is
# compiled with LegacyGL.h forced in.
add_library(lumivane_legacy_gl STATIC ${WEB_DIR}/LegacyGL.cpp)
target_include_directories(lumivane_legacy_gl PUBLIC ${CMAKE_SOURCE_DIR})

set(SITE_DIR ${CMAKE_BINARY_DIR}/site)
add_executable(lumivane-web ${WEB_SOURCES})
set_target_properties(lumivane-web PROPERTIES OUTPUT_NAME index SUFFIX ".html"
  RUNTIME_OUTPUT_DIRECTORY ${SITE_DIR})
target_include_directories(lumivane-web PRIVATE ${CMAKE_SOURCE_DIR} /usr/include/stb)
target_compile_options(lumivane-web PRIVATE "SHELL:-include ${WEB_DIR}/LegacyGL.h" "SHELL:-include ${WEB_DIR}/WebCompat.h")
target_compile_definitions(lumivane-web PRIVATE LUMIVANE_WEB=1)
target_link_libraries(lumivane-web PRIVATE lumivane_legacy_gl)
set(WEB_LINK_OPTIONS
  -sLEGACY_GL_EMULATION=1 -sGL_FFP_ONLY=0 -sMAX_WEBGL_VERSION=1
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
