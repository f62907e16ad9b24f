# Packs one test kit zip; run by the test_kit_zip target:
#   cmake -DQB_SOURCE_DIR=<repo> -DQB_OUTPUT_DIR=<build> -DQB_ARCH=x64|x86
#         -DQB_VERSION_FILE=<quellbrook_version.txt> -DQB_PROGRAMS=<exe>|<exe>...
#         -DQB_BESIDE=<name>|<name>... -P test_kit_zip.cmake
# It writes <build>/Quellbrook-<version>-tests-<arch>.zip holding the test
# programs, every helper file named in QB_BESIDE (each taken from beside the
# first program that has it) and run-tests.cmd with CR LF line ends, and
# removes the kits of earlier versions of that arch. It fails when a file of
# the kit would replace one of the release zip's, beside which it is unpacked.
# Lists are separated by "|", since a ";" would split the target's command line.

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/zip_packing.cmake)

foreach(input QB_SOURCE_DIR QB_OUTPUT_DIR QB_ARCH QB_VERSION_FILE QB_PROGRAMS QB_BESIDE)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "test_kit_zip.cmake needs -D${input}=...")
  endif()
endforeach()
quellbrook_read_version(${QB_VERSION_FILE} version)
string(REPLACE "|" ";" programs "${QB_PROGRAMS}")
string(REPLACE "|" ";" beside "${QB_BESIDE}")
list(REMOVE_DUPLICATES beside)

set(stage ${QB_OUTPUT_DIR}/test-kit/${QB_ARCH})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage})
set(packed run-tests.cmd)

file(READ ${QB_SOURCE_DIR}/tests/kit/run-tests.cmd script)
string(REPLACE "\r\n" "\n" script "${script}")
string(REPLACE "\n" "\r\n" script "${script}")
file(WRITE ${stage}/run-tests.cmd "${script}")

set(program_dirs "")
foreach(program IN LISTS programs)
  get_filename_component(name ${program} NAME)
  get_filename_component(dir ${program} DIRECTORY)
  file(COPY_FILE ${program} ${stage}/${name})
  list(APPEND packed ${name})
  list(APPEND program_dirs ${dir})
endforeach()

foreach(name IN LISTS beside)
  set(found "")
  foreach(dir IN LISTS program_dirs)
    if(NOT found AND EXISTS ${dir}/${name})
      set(found ${dir}/${name})
    endif()
  endforeach()
  if(NOT found)
    message(FATAL_ERROR "${name} lies beside none of the test programs")
  endif()
  file(COPY_FILE ${found} ${stage}/${name})
  list(APPEND packed ${name})
endforeach()

set(release_files Quellbrook.exe xp.bat vista.bat Win7.bat bf.bat README.txt THIRD-PARTY-NOTICES.txt SHA256SUMS.txt)
foreach(name IN LISTS packed)
  if(name IN_LIST release_files)
    message(FATAL_ERROR "the test kit's ${name} would replace the release zip's")
  endif()
endforeach()

set(zip ${QB_OUTPUT_DIR}/Quellbrook-${version}-tests-${QB_ARCH}.zip)
file(GLOB earlier ${QB_OUTPUT_DIR}/Quellbrook-*-tests-${QB_ARCH}.zip)
quellbrook_pack_zip(${zip} ${stage} "${earlier}" ${packed})
