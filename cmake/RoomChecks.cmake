# The rooms' walls, tried: for each room a one-line source that includes a
# header of a room it must not reach, compiled with the room's own include
# folders (cmake --build of a target left out of the normal build). The test
# passes when that compile fails; the same source with a header the room may
# reach must compile, so a probe cannot fail for another reason.
set(ROOM_PROBE_DIR ${CMAKE_BINARY_DIR}/room-probes)

# lumivane_room_probe(ROOM TARGET ALLOWED_HEADER FORBIDDEN_HEADER...)
function(lumivane_room_probe room target allowed)
  foreach(header ${allowed} ${ARGN})
    string(MAKE_C_IDENTIFIER "${room}_${header}" probe)
    file(WRITE ${ROOM_PROBE_DIR}/${probe}.cpp "#include \"${header}\"\n")
    add_library(probe_${probe} OBJECT EXCLUDE_FROM_ALL ${ROOM_PROBE_DIR}/${probe}.cpp)
    target_include_directories(probe_${probe} PRIVATE $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
    add_test(NAME rooms_${probe}
      COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target probe_${probe})
    if(header STREQUAL allowed)
      set_tests_properties(rooms_${probe} PROPERTIES LABELS rooms)
    else()
      set_tests_properties(rooms_${probe} PROPERTIES WILL_FAIL TRUE LABELS rooms)
    endif()
  endforeach()
endfunction()

lumivane_room_probe(seam lumivane_seam platform/Report.h
  services/DataFolder.h platform/SdlPlatform.h)
lumivane_room_probe(services lumivane_services services/TextureBank.h
  effects/PictureQuad.h window/GLWindow.h app/Timeline.h platform/SdlAudioOut.h SDL.h)
lumivane_room_probe(effects lumivane_effects effects/PictureQuad.h
  window/GLWindow.h app/Timeline.h platform/SdlPlatform.h SDL.h)
lumivane_room_probe(window lumivane_window window/GLWindow.h
  effects/Effect.h services/TextureBank.h app/Timeline.h platform/SdlPlatform.h SDL.h)
lumivane_room_probe(app lumivane_app app/QuorixSystem.h
  platform/SdlPlatform.h SDL.h)
