# The demo's rooms, one static library each, every one linking only the rooms
# below it:
#
#   lumivane_app      app/ without main.cpp   -> effects, window, services, seam
#   lumivane_effects  effects/                -> services, seam
#   lumivane_window   window/                 -> seam
#   lumivane_services services/               -> seam
#   lumivane_seam     platform/Platform.h, Report.h, VirtualKeys.h (+ Report.cpp)
#
# Every source includes "room/File.h" from the top of the tree, but no room
# gets the top of the tree as an include folder: each gets a folder of its own
# under rooms/ in the build tree that holds a link to its own source folder,
# and it sees another room's headers only through linking that room. A
# services/ file that includes "effects/..." therefore does not compile.
#
# GL and GLU stay unresolved here: the programs link Mesa, the tests a
# recording stand-in. No room links SDL; the SDL/GTK implementations of the
# seam are the native platform's (lumivane_platform, in the top CMakeLists).
#
# LUMIVANE_NATIVE_DECODERS (ON): the PNG and Ogg Vorbis readers and the PNG
# writer with libpng and libvorbisfile. A build that brings decoders of its
# own (the browser's) turns it off and adds its files to lumivane_services.
#
# Needs LUMIVANE_ROOT (the top of the source tree). Included by the top
# CMakeLists, the fuzz build and the data generator's own build.
include_guard(GLOBAL)
option(LUMIVANE_NATIVE_DECODERS "Read PNG and Ogg Vorbis with libpng and libvorbisfile" ON)

set(LUMIVANE_ROOMS_DIR ${CMAKE_BINARY_DIR}/rooms)

# rooms/<room>/<room> -> the room's source folder.
function(lumivane_room_folder room)
  file(MAKE_DIRECTORY ${LUMIVANE_ROOMS_DIR}/${room})
  file(CREATE_LINK ${LUMIVANE_ROOT}/${room} ${LUMIVANE_ROOMS_DIR}/${room}/${room} SYMBOLIC)
endfunction()

# The seam: only the interfaces (and the message-box front, Report.cpp) are
# visible to the rooms; the SDL/GTK headers beside them are not.
set(SEAM_HEADERS Platform.h Report.h VirtualKeys.h)
file(MAKE_DIRECTORY ${LUMIVANE_ROOMS_DIR}/seam/platform)
foreach(header ${SEAM_HEADERS})
  file(CREATE_LINK ${LUMIVANE_ROOT}/platform/${header} ${LUMIVANE_ROOMS_DIR}/seam/platform/${header} SYMBOLIC)
endforeach()
add_library(lumivane_seam STATIC ${LUMIVANE_ROOT}/platform/Report.cpp)
target_include_directories(lumivane_seam PUBLIC ${LUMIVANE_ROOMS_DIR}/seam)
set_target_properties(lumivane_seam PROPERTIES POSITION_INDEPENDENT_CODE ON)

# services/: files, pictures, meshes, sound, the clock.
find_package(PkgConfig REQUIRED)
lumivane_room_folder(services)
file(GLOB SERVICES_SOURCES CONFIGURE_DEPENDS ${LUMIVANE_ROOT}/services/*.cpp)
set(NATIVE_DECODER_SOURCES PngTexture.cpp PngWriter.cpp VorbisDecoder.cpp)
if(NOT LUMIVANE_NATIVE_DECODERS)
  foreach(source ${NATIVE_DECODER_SOURCES})
    list(REMOVE_ITEM SERVICES_SOURCES ${LUMIVANE_ROOT}/services/${source})
  endforeach()
endif()
add_library(lumivane_services STATIC ${SERVICES_SOURCES})
target_include_directories(lumivane_services PUBLIC ${LUMIVANE_ROOMS_DIR}/services)
target_link_libraries(lumivane_services PUBLIC lumivane_seam)
# The capture module (a shared object) links the decoder too.
set_target_properties(lumivane_services PROPERTIES POSITION_INDEPENDENT_CODE ON)
if(LUMIVANE_NATIVE_DECODERS)
  pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
  pkg_check_modules(VORBISFILE REQUIRED IMPORTED_TARGET vorbisfile)
  # PngWriter.h speaks libpng's types; the Vorbis reader keeps its library inside.
  target_link_libraries(lumivane_services PUBLIC PkgConfig::PNG PRIVATE PkgConfig::VORBISFILE)
endif()

# effects/: one file per scene and the drawing they share.
lumivane_room_folder(effects)
file(GLOB EFFECTS_SOURCES CONFIGURE_DEPENDS ${LUMIVANE_ROOT}/effects/*.cpp)
add_library(lumivane_effects STATIC ${EFFECTS_SOURCES})
target_include_directories(lumivane_effects PUBLIC ${LUMIVANE_ROOMS_DIR}/effects)
target_link_libraries(lumivane_effects PUBLIC lumivane_services)

# window/: the GL window, its picture area and the setup choices.
lumivane_room_folder(window)
file(GLOB WINDOW_SOURCES CONFIGURE_DEPENDS ${LUMIVANE_ROOT}/window/*.cpp)
add_library(lumivane_window STATIC ${WINDOW_SOURCES})
target_include_directories(lumivane_window PUBLIC ${LUMIVANE_ROOMS_DIR}/window)
target_link_libraries(lumivane_window PUBLIC lumivane_seam)
set_target_properties(lumivane_window PROPERTIES POSITION_INDEPENDENT_CODE ON)  # the capture module reads back with it

# app/: the demo's system, its timeline and the command line; main.cpp is the
# program's own (it builds the platform).
lumivane_room_folder(app)
file(GLOB APP_SOURCES CONFIGURE_DEPENDS ${LUMIVANE_ROOT}/app/*.cpp)
list(REMOVE_ITEM APP_SOURCES ${LUMIVANE_ROOT}/app/main.cpp)
add_library(lumivane_app STATIC ${APP_SOURCES})
target_include_directories(lumivane_app PUBLIC ${LUMIVANE_ROOMS_DIR}/app)
target_link_libraries(lumivane_app PUBLIC lumivane_seam PRIVATE lumivane_effects lumivane_window lumivane_services)

# The native platform: SDL window, audio and message boxes, the GTK dialog.
# Off for a build that brings its own (the browser's) and for the data
# generator on its own.
option(LUMIVANE_NATIVE_PLATFORM "Build the SDL/GTK platform" ON)
if(LUMIVANE_NATIVE_PLATFORM)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
  pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
  pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
  lumivane_room_folder(platform)
  file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS ${LUMIVANE_ROOT}/platform/*.cpp)
  list(REMOVE_ITEM PLATFORM_SOURCES ${LUMIVANE_ROOT}/platform/Report.cpp)
  add_library(lumivane_platform STATIC ${PLATFORM_SOURCES})
  target_include_directories(lumivane_platform PUBLIC ${LUMIVANE_ROOMS_DIR}/platform)
  # GtkSetupDialog.h speaks GTK's types.
  target_link_libraries(lumivane_platform PUBLIC lumivane_seam PkgConfig::SDL2 PkgConfig::GTK3 PRIVATE PkgConfig::X11)
endif()
