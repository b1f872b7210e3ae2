# Tests of the installed tree and of the Debian package. Both run the normal
# build only: the sanitizer build adds nothing here and CPack costs time.
# Both check the capture module too, so they need it built.
if(NOT LUMIVANE_SANITIZE AND TARGET lumivane-video)
  add_test(NAME install_tree COMMAND ${CMAKE_SOURCE_DIR}/tests/install_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(install_tree PROPERTIES TIMEOUT 300 LABELS gl)
  add_test(NAME debian_package
    COMMAND ${CMAKE_SOURCE_DIR}/tests/package_test.sh ${CMAKE_BINARY_DIR} ${DATA_DIR} ${PROJECT_VERSION})
  set_tests_properties(debian_package PROPERTIES TIMEOUT 600)
endif()
