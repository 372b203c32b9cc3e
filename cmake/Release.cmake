# What a release ships (Windows build). Each shipped program gets a version
# resource made from the project version; release/manifest.txt lists the
# version, publisher, copyright, the installer's icon and the programs' files
# for scripts/package.sh; the target zorvex_release builds the programs only.
# A program whose target this build lacks is left out.
if(NOT ZORVEX_WINDOWS)
  return()
endif()

set(ZORVEX_PUBLISHER "Zorvex team")
set(ZORVEX_COPYRIGHT "Copyright (C) 2026 Zorvex team. All rights reserved.")

# "1.1" -> "1,1,0,0" (resources) and "1.1.0.0" (the installer's own version).
set(version_numbers "")
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND version_numbers 0)
  else()
    list(APPEND version_numbers ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN version_numbers "," ZORVEX_VERSION_COMMAS)
list(JOIN version_numbers "." version_dotted)

set(release_dir ${CMAKE_BINARY_DIR}/release)
set(manifest_lines "version ${PROJECT_VERSION}\nversion4 ${version_dotted}\npublisher ${ZORVEX_PUBLISHER}\n")
string(APPEND manifest_lines "copyright ${ZORVEX_COPYRIGHT}\nicon ${ZORVEX_APP_ICON}\n")

function(zorvex_ship_program target description)
  if(NOT TARGET ${target})
    return()
  endif()
  get_target_property(output_name ${target} OUTPUT_NAME)
  if(NOT output_name)
    set(output_name ${target})
  endif()
  set(file_name ${output_name}.exe)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/VersionInfo.rc.in ${release_dir}/version/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${release_dir}/version/${target}.rc)
  set(manifest_lines "${manifest_lines}program $<TARGET_FILE:${target}>\n" PARENT_SCOPE)
  add_dependencies(zorvex_release ${target})
endfunction()
add_custom_target(zorvex_release)

# The shipped programs, the main one first: one line each.
zorvex_ship_program(Zorvex "Zorvex - finds duplicate files")
zorvex_ship_program(ZorvexSkinPreview "Zorvex skin preview")
zorvex_ship_program(zorvex-cli "Zorvex command-line scanner")

file(GENERATE OUTPUT ${release_dir}/manifest.txt CONTENT "${manifest_lines}")
