# The release package: one zip that a mod manager installs into the game's
# Data folder, or a player unpacks into the game folder. Everything is under
# Data/, since managers misplace or drop whatever stands beside it.
#
#   Data/ORBX/Plugins/Corvanis.dll
#   Data/ORBX/Plugins/Spaceships/                     (empty: blueprints go here)
#   Data/ORBX/Plugins/Corvanis/corvanis-blueprint.exe
#   Data/ORBX/Plugins/Corvanis/Corvanis-README.txt    (CR LF: Notepad shows an LF-only file as one line)
#
# Its name carries the version of project(): Corvanis-<version>-windows-x64.zip.
set(CORVANIS_PACKAGE_FOLDER Data/ORBX/Plugins)
install(TARGETS Corvanis LIBRARY DESTINATION ${CORVANIS_PACKAGE_FOLDER})
install(DIRECTORY DESTINATION ${CORVANIS_PACKAGE_FOLDER}/Spaceships)
install(TARGETS corvanis-blueprint RUNTIME DESTINATION ${CORVANIS_PACKAGE_FOLDER}/Corvanis)

set(CORVANIS_PLAYER_README ${CMAKE_SOURCE_DIR}/docs/player-readme.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CORVANIS_PLAYER_README})
file(READ ${CORVANIS_PLAYER_README} readme)
string(REPLACE "\r\n" "\n" readme "${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${CMAKE_BINARY_DIR}/Corvanis-README.txt "${readme}")
install(FILES ${CMAKE_BINARY_DIR}/Corvanis-README.txt DESTINATION ${CORVANIS_PACKAGE_FOLDER}/Corvanis)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Corvanis)
set(CPACK_PACKAGE_VENDOR Corvanis)
# Kept apart from CPack's variables, which including CPack changes.
set(CORVANIS_PACKAGE_NAME Corvanis-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_FILE_NAME ${CORVANIS_PACKAGE_NAME})
# The zip's root is the game folder, not a folder named after the package.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Players get the modules without their debugging information.
set(CPACK_STRIP_FILES ON)
include(CPack)
