# Flags and helpers shared by every target of the project.

# Our own code: Unicode, warnings as errors, static runtimes.
add_library(tessera_options INTERFACE)
target_compile_definitions(tessera_options INTERFACE
  UNICODE _UNICODE
  _WIN32_WINNT=0x0601 WINVER=0x0601 NTDDI_VERSION=0x06010000
  NOMINMAX STRICT)
target_compile_options(tessera_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Werror -Wno-cast-function-type>)
target_link_options(tessera_options INTERFACE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
target_include_directories(tessera_options INTERFACE ${PROJECT_SOURCE_DIR})

# Every shipped binary carries the product's version resource.
#   tessera_version_resource(<target> DESCRIPTION <text> FILENAME <name.ext> [TYPE VFT_APP|VFT_DLL])
function(tessera_version_resource target)
  cmake_parse_arguments(V "" "DESCRIPTION;FILENAME;TYPE" "" ${ARGN})
  if(NOT V_TYPE)
    set(V_TYPE VFT_APP)
  endif()
  set(TESSERA_FILE_DESCRIPTION "${V_DESCRIPTION}")
  set(TESSERA_ORIGINAL_FILENAME "${V_FILENAME}")
  set(TESSERA_FILE_TYPE "${V_TYPE}")
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/res/version.rc.in ${out} @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()

# Shipped files are gathered in one folder per build; scripts/build merges them into build/dist.
set(TESSERA_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
function(tessera_ship target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${TESSERA_DIST_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${TESSERA_DIST_DIR})
endfunction()

# A static library made of every .cpp file in the calling folder.
#   tessera_library(<name> [DEPENDS <libs...>])
function(tessera_library name)
  cmake_parse_arguments(L "" "" "DEPENDS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs} ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  target_link_libraries(${name} PUBLIC tessera_options ${L_DEPENDS})
endfunction()
