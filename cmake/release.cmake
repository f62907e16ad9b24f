# The version resource and the release zip of the Windows build. Included by the
# top-level CMakeLists.txt after the Quellbrook target exists.

# The version is worked out on every build (git describe is quick) and written
# only when it changed, so a new commit or tag reaches the exe without a
# reconfigure, and an unchanged one rebuilds nothing.
set(QUELLBROOK_VERSION_DIR ${PROJECT_BINARY_DIR}/version)
set(QUELLBROOK_VERSION_HEADER ${QUELLBROOK_VERSION_DIR}/quellbrook_version.h)
set(QUELLBROOK_VERSION_FILE ${QUELLBROOK_VERSION_DIR}/quellbrook_version.txt)
file(MAKE_DIRECTORY ${QUELLBROOK_VERSION_DIR})
add_custom_target(quellbrook_version
  COMMAND ${CMAKE_COMMAND} -DQB_SOURCE_DIR=${PROJECT_SOURCE_DIR} -DQB_OUTPUT_DIR=${QUELLBROOK_VERSION_DIR}
          -P ${CMAKE_CURRENT_LIST_DIR}/quellbrook_version.cmake
  BYPRODUCTS ${QUELLBROOK_VERSION_HEADER} ${QUELLBROOK_VERSION_FILE}
  COMMENT "Version from git describe"
  VERBATIM)
# A target that compiles res/quellbrook.rc needs the version header first.
function(quellbrook_use_version_resource target)
  add_dependencies(${target} quellbrook_version)
  target_include_directories(${target} PRIVATE ${QUELLBROOK_VERSION_DIR})
  get_target_property(source_dir ${target} SOURCE_DIR)
  set_source_files_properties(${PROJECT_SOURCE_DIR}/res/quellbrook.rc DIRECTORY ${source_dir}
    PROPERTIES OBJECT_DEPENDS ${QUELLBROOK_VERSION_HEADER})
endfunction()
quellbrook_use_version_resource(Quellbrook)

# Release zip per architecture, Quellbrook-<version>-<arch>.zip beside the exe:
# the exe, the four scripts, a Chinese read-me and their SHA-256 sums.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(QUELLBROOK_ZIP_ARCH x64)
else()
  set(QUELLBROOK_ZIP_ARCH x86)
endif()
add_custom_target(release_zip
  COMMAND ${CMAKE_COMMAND} -DQB_SOURCE_DIR=${PROJECT_SOURCE_DIR} -DQB_OUTPUT_DIR=${PROJECT_BINARY_DIR}
          -DQB_EXE=$<TARGET_FILE:Quellbrook> -DQB_ARCH=${QUELLBROOK_ZIP_ARCH}
          -DQB_VERSION_FILE=${QUELLBROOK_VERSION_FILE}
          -P ${CMAKE_CURRENT_LIST_DIR}/release_zip.cmake
  COMMENT "Packing the ${QUELLBROOK_ZIP_ARCH} release zip"
  VERBATIM)
add_dependencies(release_zip Quellbrook)

# quellbrook_add_test_kit_zip(PROGRAM_TARGET...): the test_kit_zip target,
# Quellbrook-<version>-tests-<arch>.zip beside the release zip: the test
# programs, every helper file listed in the global property
# QUELLBROOK_BESIDE_TESTS and run-tests.cmd, which runs them on Windows
# against the Quellbrook.exe of the release zip. Called once every helper is
# registered (at the end of the top-level CMakeLists.txt).
function(quellbrook_add_test_kit_zip)
  set(programs "")
  foreach(target IN LISTS ARGN)
    list(APPEND programs $<TARGET_FILE:${target}>)
  endforeach()
  get_property(beside GLOBAL PROPERTY QUELLBROOK_BESIDE_TESTS)
  string(REPLACE ";" "|" programs "${programs}")
  string(REPLACE ";" "|" beside "${beside}")
  add_custom_target(test_kit_zip
    COMMAND ${CMAKE_COMMAND} -DQB_SOURCE_DIR=${PROJECT_SOURCE_DIR} -DQB_OUTPUT_DIR=${PROJECT_BINARY_DIR}
            -DQB_ARCH=${QUELLBROOK_ZIP_ARCH} -DQB_VERSION_FILE=${QUELLBROOK_VERSION_FILE}
            -DQB_PROGRAMS=${programs} -DQB_BESIDE=${beside}
            -P ${PROJECT_SOURCE_DIR}/cmake/test_kit_zip.cmake
    COMMENT "Packing the ${QUELLBROOK_ZIP_ARCH} test kit zip"
    VERBATIM)
  add_dependencies(test_kit_zip quellbrook_version ${ARGN})
endfunction()
