# What the release zip and the test kit zip share: the version they are named
# after, and packing. Included by release_zip.cmake and test_kit_zip.cmake.

# quellbrook_read_version(VERSION_FILE OUT_VERSION): the first line of the
# version file that the quellbrook_version target wrote.
function(quellbrook_read_version version_file out_version)
  file(STRINGS ${version_file} version LIMIT_COUNT 1)
  if(version STREQUAL "")
    message(FATAL_ERROR "no version in ${version_file}")
  endif()
  set(${out_version} "${version}" PARENT_SCOPE)
endfunction()

# quellbrook_pack_zip(ZIP STAGE EARLIER NAME...): packs the named files of the
# folder STAGE into ZIP, after removing the zips listed in EARLIER (those of
# earlier versions). Packed under a temporary name, so that a failure leaves
# no partial zip. Every name is ASCII: Windows 7's own zip folder reads names
# in the OEM code page and would garble Chinese ones.
function(quellbrook_pack_zip zip stage earlier)
  if(earlier)
    file(REMOVE ${earlier})
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E tar cf ${zip}.partial --format=zip -- ${ARGN}
    WORKING_DIRECTORY ${stage} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    file(REMOVE ${zip}.partial)
    message(FATAL_ERROR "packing ${zip} failed")
  endif()
  file(RENAME ${zip}.partial ${zip})
  message(STATUS "Zip: ${zip}")
endfunction()
