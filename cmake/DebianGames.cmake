# Run by CPack in its staging folder before it builds the .deb: Debian keeps
# the programs of games in /usr/games (on every user's PATH) rather than
# /usr/bin. The data lookup (../share/lumivane/data) is the same from there.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
if(NOT IS_DIRECTORY "${usr}/bin")
  message(FATAL_ERROR "no ${usr}/bin in the staging folder")
endif()
file(RENAME "${usr}/bin" "${usr}/games")
