# The release package: one zip in the game folder's own layout, which a
# player or a mod manager unpacks into the game folder.
#
#   Data/ORBX/Plugins/Corvanis.dll
#   Data/ORBX/Plugins/Spaceships/          (empty: blueprints go here)
#   tools/corvanis-blueprint.exe
#   Corvanis-README.txt
#
# Its name carries the version of project(): Corvanis-<version>-windows-x64.zip.
install(TARGETS Corvanis LIBRARY DESTINATION Data/ORBX/Plugins)
install(DIRECTORY DESTINATION Data/ORBX/Plugins/Spaceships)
install(TARGETS corvanis-blueprint RUNTIME DESTINATION tools)
install(FILES ${CMAKE_SOURCE_DIR}/docs/player-readme.txt DESTINATION . RENAME Corvanis-README.txt)

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
