# Runs the Windows build's programs under Wine: CTest starts every test
# through build-windows/wine, which uses a throwaway Wine prefix inside the
# build folder (created on first use), no display and no debug output.
find_program(VORDA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH
             DOC "Wine's loader for 64-bit programs")
find_program(VORDA_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine
             NO_CMAKE_FIND_ROOT_PATH DOC "Wine's server")
if(NOT VORDA_WINE OR NOT VORDA_WINESERVER)
  message(WARNING "Wine was not found: the Windows tests are built but cannot run here")
  return()
endif()

set(VORDA_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix CACHE PATH "The tests' throwaway Wine prefix")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine)
