# Windows test executables run under Wine, in a private prefix inside the build folder.
# tools/wine-session.sh creates that prefix and keeps one wineserver alive for a test run.
set(ORVANTA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix CACHE PATH "Wine prefix used by the tests")
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-emulator.sh.in ${CMAKE_BINARY_DIR}/wine-emulator.sh
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
               @ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-emulator.sh)
