# The version from a git describe string: cmake -P version_test.cmake (ctest runs it).
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/quellbrook_version.cmake)

# describe | expected text | expected numbers ("" when it is no version)
set(rows
  "v1.2.0|1.2.0|1.2.0.0"
  "v1.2|1.2|1.2.0.0"
  "v1.2.0-3-gabc1234|1.2.0-3-gabc1234|1.2.0.3"
  "v1.2.0-3-gabc1234-dirty|1.2.0-3-gabc1234-dirty|1.2.0.3"
  "v1.2.0-dirty|1.2.0-dirty|1.2.0.0"
  "v0.0.0-41-gabc1234|0.0.0-41-gabc1234|0.0.0.41"
  "v0.0.0-gabc1234|0.0.0-gabc1234|0.0.0.0"
  "v65535.0.0-65535-gabc1234|65535.0.0-65535-gabc1234|65535.0.0.65535"
  "v65536.0.0||"
  "v1.2.0-70000-gabc1234||"
  "v1.2.0-rc1||"
  "1.2.0||"
  "abc1234||"
  "||")
set(failures 0)
foreach(row IN LISTS rows)
  string(REPLACE "|" ";" fields "${row}")
  list(GET fields 0 describe)
  list(GET fields 1 expected_text)
  list(GET fields 2 expected_numbers)
  quellbrook_parse_version("${describe}" text numbers)
  string(REPLACE ";" "." numbers "${numbers}")
  if(NOT text STREQUAL expected_text OR NOT numbers STREQUAL expected_numbers)
    message(SEND_ERROR "'${describe}': got '${text}' ${numbers}, want '${expected_text}' ${expected_numbers}")
  endif()
endforeach()
