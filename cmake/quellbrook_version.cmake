# The program's version has one source: git describe of the newest tag vX.Y or
# vX.Y.Z. Everything else (the exe's version resource, the release zip names and
# the read-me inside them) is written from it at build time.
#
#   at the tag         v1.2.0                -> 1.2.0              numbers 1,2,0,0
#   3 commits later    v1.2.0-3-gabc1234     -> 1.2.0-3-gabc1234   numbers 1,2,0,3
#   uncommitted edits  ...-dirty             -> ...-dirty
#   no tag yet         commit abc1234, 41st  -> 0.0.0-41-gabc1234  numbers 0,0,0,41
#   no git (tarball)   cmake/archive_version.txt, filled in by git archive
#   nothing at all     0.0.0-unknown
#
# Include this file for quellbrook_parse_version, or run it as a script:
#   cmake -DQB_SOURCE_DIR=<repo> -DQB_OUTPUT_DIR=<dir> -P quellbrook_version.cmake
# writes <dir>/quellbrook_version.h (for the resource script) and
# <dir>/quellbrook_version.txt (the version alone), each only when it changed,
# so that an unchanged version rebuilds nothing.

cmake_minimum_required(VERSION 3.25)

# quellbrook_parse_version(DESCRIBE OUT_TEXT OUT_NUMBERS): the version text and
# the four numbers of Windows' fixed version info ("1;2;0;3") for a describe
# string as above ("v1.2.0-3-gabc1234-dirty"); empty results when it is not one.
function(quellbrook_parse_version describe out_text out_numbers)
  set(text "")
  set(numbers "")
  if(describe MATCHES "^v([0-9]+)\\.([0-9]+)(\\.([0-9]+))?(-([0-9]+))?(-g[0-9a-f]+)?(-dirty)?$")
    # A group that matched nothing leaves its CMAKE_MATCH_<n> unset.
    set(patch "${CMAKE_MATCH_4}")
    if(patch STREQUAL "")
      set(patch 0)
    endif()
    set(count "${CMAKE_MATCH_6}")
    if(count STREQUAL "")
      set(count 0)
    endif()
    set(parts ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${patch} ${count})
    # Each of Windows' four numbers is 16 bits wide.
    set(fits TRUE)
    foreach(part IN LISTS parts)
      string(LENGTH "${part}" digits)
      if(digits GREATER 5 OR part GREATER 65535)
        set(fits FALSE)
      endif()
    endforeach()
    if(fits)
      string(SUBSTRING "${describe}" 1 -1 text)
      set(numbers ${parts})
    endif()
  endif()
  set(${out_text} "${text}" PARENT_SCOPE)
  set(${out_numbers} "${numbers}" PARENT_SCOPE)
endfunction()

# The describe string of the source tree: from git, else from the file that
# git archive fills in; empty when neither knows.
function(quellbrook_describe source_dir out_describe)
  set(describe "")
  find_program(QB_GIT git)
  if(QB_GIT)
    # Only the tree's own repository counts: an unpacked tarball may lie inside
    # some other one.
    execute_process(COMMAND ${QB_GIT} rev-parse --show-toplevel
                    WORKING_DIRECTORY ${source_dir} RESULT_VARIABLE status
                    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    file(REAL_PATH "${source_dir}" source_dir)
    if(status EQUAL 0)
      file(REAL_PATH "${top}" top)
    endif()
  endif()
  if(QB_GIT AND status EQUAL 0 AND top STREQUAL source_dir)
    execute_process(COMMAND ${QB_GIT} describe --tags --match "v[0-9]*" --dirty
                    WORKING_DIRECTORY ${source_dir} RESULT_VARIABLE status
                    OUTPUT_VARIABLE describe OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT status EQUAL 0)
      # No version tag yet: count the commits as if v0.0.0 were the first one.
      execute_process(COMMAND ${QB_GIT} describe --always --abbrev=7 --dirty
                      WORKING_DIRECTORY ${source_dir} RESULT_VARIABLE status
                      OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      execute_process(COMMAND ${QB_GIT} rev-list --count HEAD
                      WORKING_DIRECTORY ${source_dir} RESULT_VARIABLE count_status
                      OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
      if(status EQUAL 0 AND count_status EQUAL 0)
        set(describe "v0.0.0-${count}-g${commit}")
      else()
        set(describe "")
      endif()
    endif()
  endif()
  if(describe STREQUAL "" AND EXISTS ${source_dir}/cmake/archive_version.txt)
    # "<describe>|<commit>"; still "$Format:...$" in a checkout.
    file(STRINGS ${source_dir}/cmake/archive_version.txt archived LIMIT_COUNT 1)
    if(archived MATCHES "^(v[^|]*)\\|")
      set(describe ${CMAKE_MATCH_1})
    elseif(archived MATCHES "^\\|([0-9a-f]+)$")
      set(describe "v0.0.0-g${CMAKE_MATCH_1}")
    endif()
  endif()
  set(${out_describe} "${describe}" PARENT_SCOPE)
endfunction()

function(quellbrook_write_if_changed path content)
  if(EXISTS ${path})
    file(READ ${path} old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE ${path} "${content}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE AND DEFINED QB_OUTPUT_DIR)
  quellbrook_describe(${QB_SOURCE_DIR} describe)
  quellbrook_parse_version("${describe}" text numbers)
  if(text STREQUAL "")
    if(NOT describe STREQUAL "")
      message(WARNING "'${describe}' is no version (tags look like v1.2 or v1.2.0)")
    endif()
    set(text "0.0.0-unknown")
    set(numbers 0 0 0 0)
  endif()
  string(REPLACE ";" "," comma_numbers "${numbers}")
  string(REPLACE ";" "." dotted_numbers "${numbers}")
  quellbrook_write_if_changed(${QB_OUTPUT_DIR}/quellbrook_version.h
"// Written by cmake/quellbrook_version.cmake from git describe; do not edit.
#pragma once
#define QUELLBROOK_VERSION_NUMBERS ${comma_numbers}
#define QUELLBROOK_VERSION_DOTTED \"${dotted_numbers}\"
#define QUELLBROOK_VERSION_TEXT \"${text}\"
")
  quellbrook_write_if_changed(${QB_OUTPUT_DIR}/quellbrook_version.txt "${text}\n")
endif()
