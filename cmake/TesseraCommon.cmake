# Flags and helpers shared by every target of the project.

set(TESSERA_PRODUCT_NAME "Tessera")
set(TESSERA_COMPANY_NAME "Vesper Software")

# The product's name and version for the code and the resource scripts: base/ProductInfo.h.
set(TESSERA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/base/ProductInfo.h.in ${TESSERA_GENERATED_DIR}/base/ProductInfo.h @ONLY)

# Our own code: Unicode, warnings as errors, static runtimes.
add_library(tessera_options INTERFACE)
target_compile_definitions(tessera_options INTERFACE
  UNICODE _UNICODE
  _WIN32_WINNT=0x0601 WINVER=0x0601 NTDDI_VERSION=0x06010000
  NOMINMAX STRICT)
target_compile_options(tessera_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Werror -Wno-cast-function-type>)
target_link_options(tessera_options INTERFACE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
target_include_directories(tessera_options INTERFACE ${PROJECT_SOURCE_DIR} ${TESSERA_GENERATED_DIR})

# Resource scripts get a dependency file from windres' preprocessor, so that a change to an included header
# or string table rebuilds them.
set(CMAKE_DEPFILE_FLAGS_RC "--preprocessor-arg=-MD --preprocessor-arg=-MT<OBJECT> --preprocessor-arg=-MF<DEP_FILE>")
set(CMAKE_RC_DEPFILE_FORMAT gcc)

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

# Every program carries its manifest, generated with the product's version.
#   tessera_manifest(<target> <manifest.in>)
function(tessera_manifest target template)
  get_filename_component(name ${template} NAME_WE)
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${name}.manifest)
  configure_file(${template} ${manifest} @ONLY)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}_manifest.rc)
  file(CONFIGURE OUTPUT ${rc} CONTENT "#include <windows.h>\nCREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST \"${manifest}\"\n")
  target_sources(${target} PRIVATE ${rc})
endfunction()

# Shipped files of one build land in its dist folder: build/win64/dist is a complete 64-bit install,
# build/win32/dist the 32-bit one; scripts/build merges what a user installs into build/dist.
set(TESSERA_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
function(tessera_ship target)
  set_target_properties(${target} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${TESSERA_DIST_DIR}
    LIBRARY_OUTPUT_DIRECTORY ${TESSERA_DIST_DIR})
endfunction()

# A static library made of every .cpp file in the calling folder. STRINGS names the folder's string table
# (<folder>_strings.rc): it is compiled into every program and DLL that links the library, so that the
# layer's texts are there wherever its code runs.
#   tessera_library(<name> [STRINGS <file.rc>] [DEPENDS <libs...>])
function(tessera_library name)
  cmake_parse_arguments(L "" "STRINGS" "DEPENDS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs})
  target_link_libraries(${name} PUBLIC tessera_options ${L_DEPENDS})
  if(L_STRINGS)
    tessera_string_table(${name} ${CMAKE_CURRENT_SOURCE_DIR}/${L_STRINGS})
  endif()
endfunction()

# Adds a string table to every program and DLL that links the library (not to other static libraries).
function(tessera_string_table library rc)
  target_sources(${library} INTERFACE
    $<$<NOT:$<STREQUAL:$<TARGET_PROPERTY:TYPE>,STATIC_LIBRARY>>:${rc}>)
  set_property(GLOBAL APPEND PROPERTY TESSERA_STRING_TABLES ${rc})
endfunction()
