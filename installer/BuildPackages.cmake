# Builds the Windows packages of an install folder: one MSI per Windows architecture, made with wixl from
# installer/Tessera.wxs and a file list generated from the folder, and the portable zip of the folder.
#
#   cmake -DDIST=<install folder> -DOUT=<package folder> -DPRODUCT_INFO=<generated base/ProductInfo.h>
#         [-DVERSION=<x.y.z>] [-DARCHES=x64;x86] [-DZIP=ON|OFF] [-DWORK=<scratch folder>]
#         -P installer/BuildPackages.cmake
#
# The product's name, maker and version come from the build's ProductInfo.h (the project's one definition);
# VERSION overrides the version (the upgrade tests build a newer package from the same files). The class
# identifiers and handler names come from base/ShellExtIds.h. Every file of the install folder is
# shipped, so a new deliverable cannot be left out; any warning of wixl fails the build.
cmake_minimum_required(VERSION 3.20)

foreach(var DIST OUT PRODUCT_INFO)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "BuildPackages: ${var} is not set")
  endif()
endforeach()
if(NOT DEFINED ARCHES)
  set(ARCHES x64 x86)
endif()
if(NOT DEFINED ZIP)
  set(ZIP ON)
endif()
get_filename_component(source_dir ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
get_filename_component(DIST ${DIST} ABSOLUTE)
get_filename_component(OUT ${OUT} ABSOLUTE)
if(NOT DEFINED WORK)
  set(WORK ${OUT}/.work)
endif()

# --- What the project defines once -------------------------------------------------------------------------
# The quoted text that follows <lead> on a line of <file> (#define NAME "text", or NAME[] = L"text").
function(read_quoted file lead out)
  file(STRINGS ${file} line REGEX "${lead}\"[^\"]*\"")
  if(NOT line)
    message(FATAL_ERROR "BuildPackages: ${lead} not found in ${file}")
  endif()
  string(REGEX REPLACE ".*${lead}\"([^\"]*)\".*" "\\1" value "${line}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
macro(read_define file name out)
  read_quoted(${file} "^#define ${name} " ${out})
endmacro()
macro(read_wide_constant file name out)
  read_quoted(${file} "${name}\\[\\] = L" ${out})
endmacro()

read_define(${PRODUCT_INFO} TESSERA_PRODUCT_NAME_TEXT product_name)
read_define(${PRODUCT_INFO} TESSERA_COMPANY_NAME_TEXT manufacturer)
if(NOT DEFINED VERSION)
  read_define(${PRODUCT_INFO} TESSERA_VERSION_TEXT VERSION)
endif()
# Windows Installer compares three fields: major and minor below 256, build below 65536.
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$"
   OR CMAKE_MATCH_1 GREATER 255 OR CMAKE_MATCH_2 GREATER 255 OR CMAKE_MATCH_3 GREATER 65535)
  message(FATAL_ERROR "BuildPackages: '${VERSION}' is not a Windows Installer product version")
endif()

set(ids ${source_dir}/base/ShellExtIds.h)
read_wide_constant(${ids} kClassIdText64 class_id_x64)
read_wide_constant(${ids} kHandlerName64 handler_x64)
read_wide_constant(${ids} kClassIdText32 class_id_x86)
read_wide_constant(${ids} kHandlerName32 handler_x86)
set(dll_x64 Tessera64.dll)
set(dll_x86 Tessera32.dll)
set(win64_x64 yes)
set(win64_x86 no)

# A product code of its own for each version and architecture, the same whenever that package is rebuilt:
# a rebuilt package of an installed version is then the same product, never a second installation.
set(product_code_namespace 31BEF5D5-9A54-4786-BD12-800D8B7A23DA)

# --- The shipped files ------------------------------------------------------------------------------------
if(NOT IS_DIRECTORY ${DIST} AND IF_DIST_EXISTS)
  # The package tests' own step in a build tree that scripts/build has not merged yet: nothing to package,
  # and the package tests say so themselves.
  message(STATUS "BuildPackages: no install folder ${DIST} yet; nothing packaged")
  return()
endif()
if(NOT IS_DIRECTORY ${DIST})
  message(FATAL_ERROR "BuildPackages: no install folder ${DIST}")
endif()
file(GLOB entries LIST_DIRECTORIES true RELATIVE ${DIST} ${DIST}/*)
list(SORT entries)
set(files "")
foreach(entry ${entries})
  if(IS_DIRECTORY ${DIST}/${entry})
    # The packages hold one flat folder; a subfolder would be left out without a word.
    message(FATAL_ERROR "BuildPackages: ${DIST}/${entry} is a folder; the install folder must be flat")
  endif()
  list(APPEND files ${entry})
endforeach()
foreach(required TesseraConfig.exe ${dll_x64} ${dll_x86})
  if(NOT required IN_LIST files)
    message(FATAL_ERROR "BuildPackages: ${DIST} has no ${required}")
  endif()
endforeach()

find_program(WIXL wixl)
if(NOT WIXL)
  message(FATAL_ERROR "BuildPackages: wixl not found (Debian package wixl; scripts/setup installs it)")
endif()

file(MAKE_DIRECTORY ${OUT} ${WORK})

# The ShippedFiles fragment: one component per file, keyed by the file, its identifier the file name.
function(write_file_list arch path)
  set(components "")
  set(refs "")
  set(seen "")
  foreach(name ${files})
    # File identifiers are the names where the names are valid identifiers: the source refers to
    # [#TesseraConfig.exe] and [#Tessera64.dll].
    string(MAKE_C_IDENTIFIER "${name}" id)
    if(name MATCHES "^[A-Za-z_][A-Za-z0-9_.]*$")
      set(file_id "${name}")
    else()
      set(file_id "${id}")
    endif()
    if(id IN_LIST seen)
      message(FATAL_ERROR "BuildPackages: two files of ${DIST} make the identifier ${id}")
    endif()
    list(APPEND seen ${id})
    string(APPEND components
      "      <Component Id=\"File_${id}\" Guid=\"*\" Win64=\"${win64_${arch}}\">\n"
      "        <File Id=\"${file_id}\" Name=\"${name}\" Source=\"${name}\" KeyPath=\"yes\"/>\n"
      "      </Component>\n")
    string(APPEND refs "      <ComponentRef Id=\"File_${id}\"/>\n")
  endforeach()
  file(WRITE ${path}
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<!-- Generated by installer/BuildPackages.cmake from ${DIST}. -->\n"
    "<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">\n"
    "  <Fragment>\n    <DirectoryRef Id=\"INSTALLDIR\">\n${components}    </DirectoryRef>\n  </Fragment>\n"
    "  <Fragment>\n    <ComponentGroup Id=\"ShippedFiles\">\n${refs}    </ComponentGroup>\n  </Fragment>\n"
    "</Wix>\n")
endfunction()

foreach(arch ${ARCHES})
  if(NOT DEFINED dll_${arch})
    message(FATAL_ERROR "BuildPackages: unknown architecture ${arch} (x64 or x86)")
  endif()
  set(file_list ${WORK}/ShippedFiles-${arch}.wxs)
  write_file_list(${arch} ${file_list})
  string(UUID product_code NAMESPACE ${product_code_namespace} NAME "${product_name} ${arch} ${VERSION}"
         TYPE SHA1 UPPER)
  set(msi ${OUT}/${product_name}-${VERSION}-${arch}.msi)
  # wixl finds sources only relative to its working folder: it runs in the install folder.
  file(RELATIVE_PATH icon ${DIST} ${source_dir}/res/Tessera.ico)
  set(partial ${WORK}/${product_name}-${VERSION}-${arch}.msi)
  file(REMOVE ${msi} ${partial})
  execute_process(
    COMMAND ${WIXL} -a ${arch} -o ${partial}
            -D "ProductName=${product_name}" -D "Manufacturer=${manufacturer}" -D "Version=${VERSION}"
            -D "ProductCode=${product_code}" -D "Win64=${win64_${arch}}" -D "ShellExtDll=${dll_${arch}}"
            -D "ClassId=${class_id_${arch}}" -D "HandlerName=${handler_${arch}}"
            -D "IconFile=${icon}"
            ${CMAKE_CURRENT_LIST_DIR}/Tessera.wxs ${file_list}
    WORKING_DIRECTORY ${DIST} RESULT_VARIABLE rc OUTPUT_VARIABLE wixl_out ERROR_VARIABLE wixl_err)
  # wixl reports what it ignores on its error stream and still succeeds: a warning is a package that does
  # not say what the source says.
  if(NOT rc EQUAL 0 OR NOT wixl_err STREQUAL "" OR NOT EXISTS ${partial})
    message(FATAL_ERROR "BuildPackages: wixl failed or warned for ${arch} (exit ${rc}):\n${wixl_out}${wixl_err}")
  endif()
  file(RENAME ${partial} ${msi})
  message(STATUS "BuildPackages: ${msi}")
endforeach()

if(ZIP)
  set(zip ${OUT}/${product_name}-${VERSION}-portable.zip)
  set(partial ${WORK}/${product_name}-${VERSION}-portable.zip)
  file(REMOVE ${zip} ${partial})
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${partial} --format=zip -- ${files}
                  WORKING_DIRECTORY ${DIST} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "BuildPackages: the portable zip could not be made (exit ${rc})")
  endif()
  file(RENAME ${partial} ${zip})
  message(STATUS "BuildPackages: ${zip}")
endif()
file(REMOVE_RECURSE ${WORK})
