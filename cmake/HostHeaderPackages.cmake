# CLI11 and nlohmann-json are header-only: a cross build takes their headers
# from the build machine's packages (libcli11-dev, nlohmann-json3-dev). Only
# their own folders are put on the include path, through links in the build
# folder, never the whole of /usr/include, whose C headers are not MinGW's.
set(VORDA_HOST_INCLUDE_DIR /usr/include CACHE PATH "Where the host's header-only packages are")

function(vorda_host_header_package target folder)
  if(TARGET ${target})
    return()
  endif()
  set(source ${VORDA_HOST_INCLUDE_DIR}/${folder})
  if(NOT IS_DIRECTORY ${source})
    message(FATAL_ERROR "${source} is missing: install the package that provides ${target}")
  endif()
  set(linked ${CMAKE_BINARY_DIR}/host-headers)
  file(MAKE_DIRECTORY ${linked})
  file(CREATE_LINK ${source} ${linked}/${folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${target} SYSTEM INTERFACE ${linked})
endfunction()

vorda_host_header_package(CLI11::CLI11 CLI)
vorda_host_header_package(nlohmann_json::nlohmann_json nlohmann)
