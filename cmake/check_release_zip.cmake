# Checks a release zip as a user receives it; included by release_zip.cmake
# right after packing, with QB_SOURCE_DIR, QB_ZIP and QB_VERSION_FILE set.
# Unpacked into a fresh folder, the zip holds exactly Quellbrook.exe, the four
# scripts byte for byte as in batch/, README.txt (UTF-8 with a byte order mark,
# CR LF), THIRD-PARTY-NOTICES.txt and SHA256SUMS.txt, which gives the right
# SHA-256 of each of the other seven; the exe's version resource carries the
# version. Fails naming every fault.

quellbrook_read_version(${QB_VERSION_FILE} version)
get_filename_component(build ${QB_ZIP} DIRECTORY)
set(unpacked ${build}/release/check)
file(REMOVE_RECURSE ${unpacked})
file(MAKE_DIRECTORY ${unpacked})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${QB_ZIP} WORKING_DIRECTORY ${unpacked} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${QB_ZIP} cannot be unpacked")
endif()

set(scripts xp.bat vista.bat Win7.bat bf.bat)
set(listed Quellbrook.exe ${scripts} README.txt THIRD-PARTY-NOTICES.txt)
set(expected ${listed} SHA256SUMS.txt)
set(faults "")

file(GLOB held RELATIVE ${unpacked} ${unpacked}/*)
list(SORT held)
list(SORT expected)
if(NOT held STREQUAL expected)
  list(JOIN held " " held)
  list(APPEND faults "it holds ${held}")
endif()

file(STRINGS ${unpacked}/SHA256SUMS.txt lines)
set(summed "")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([0-9a-f]+)  ([^\r]+)" match "${line}")
  list(APPEND summed ${CMAKE_MATCH_2})
  if(EXISTS ${unpacked}/${CMAKE_MATCH_2})
    file(SHA256 ${unpacked}/${CMAKE_MATCH_2} hash)
    if(NOT hash STREQUAL CMAKE_MATCH_1)
      list(APPEND faults "the checksum of ${CMAKE_MATCH_2} does not match")
    endif()
  endif()
endforeach()
list(SORT summed)
list(SORT listed)
if(NOT summed STREQUAL listed)
  list(JOIN summed " " summed)
  list(APPEND faults "SHA256SUMS.txt lists ${summed}")
endif()

foreach(script IN LISTS scripts)
  file(SHA256 ${unpacked}/${script} shipped)
  file(SHA256 ${QB_SOURCE_DIR}/batch/${script} source)
  if(NOT shipped STREQUAL source)
    list(APPEND faults "${script} differs from batch/${script}")
  endif()
endforeach()

# Read as hex, one byte a word: file(READ) as text drops every CR.
file(READ ${unpacked}/README.txt readme HEX)
string(REGEX REPLACE "(..)" " \\1" readme "${readme}")
string(REGEX MATCHALL " 0a" line_feeds "${readme}")
string(REGEX MATCHALL " 0d 0a" line_ends "${readme}")
list(LENGTH line_feeds line_feeds)
list(LENGTH line_ends line_ends)
if(NOT readme MATCHES "^ ef bb bf" OR NOT line_feeds EQUAL line_ends)
  list(APPEND faults "README.txt is not UTF-8 with a byte order mark and CR LF line ends")
endif()

string(REGEX REPLACE "([.+])" "\\\\\\1" version_pattern "${version}")
file(STRINGS ${unpacked}/Quellbrook.exe carried ENCODING UTF-16LE REGEX "${version_pattern}")
if(NOT carried)
  list(APPEND faults "the exe's version resource does not say ${version}")
endif()

file(REMOVE_RECURSE ${unpacked})
if(faults)
  list(JOIN faults "\n  " faults)
  message(FATAL_ERROR "${QB_ZIP}:\n  ${faults}")
endif()
message(STATUS "Checked: ${QB_ZIP}")
