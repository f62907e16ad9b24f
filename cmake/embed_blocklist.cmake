# Turns the built-in HOSTS blocklist into C++: writes a source file defining
# quellbrook::BuiltInBlocklist() over one constant char16_t array that holds
# the lines of the list joined by CR LF, with no break after the last line.
#
#   cmake -DINPUT=src/hosts/blocklist.txt -DOUTPUT=blocklist_text.cpp -P embed_blocklist.cmake
#
# The file is UTF-8; one LF (or CR LF) ends each line, a final one is optional.
# Each line becomes one u"..." literal followed by u"\r\n", and the compiler
# joins the adjacent literals; non-ASCII text stays UTF-8 in the source.
# Build rules: cmake/embed_blocklist_rule.cmake.

cmake_minimum_required(VERSION 3.20)

foreach(variable INPUT OUTPUT)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "embed_blocklist.cmake: -D${variable}=... is missing")
  endif()
endforeach()

file(READ "${INPUT}" text)
if(text STREQUAL "")
  message(FATAL_ERROR "embed_blocklist.cmake: ${INPUT} is empty")
endif()

cmake_path(GET INPUT FILENAME input_name)
string(REPLACE "\r\n" "\n" text "${text}")
string(REGEX REPLACE "\n$" "" text "${text}")
# Inside a literal: backslashes and quotes escaped, and a stray CR kept as \r
# so that it stays visible to the program rather than breaking the source.
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\r" "\\r" text "${text}")
string(REPLACE "\n" "\" u\"\\r\\n\"\n    u\"" text "${text}")

file(WRITE "${OUTPUT}" "// Generated from ${input_name} by cmake/embed_blocklist.cmake: do not edit.
#include \"hosts/blocklist.h\"

namespace quellbrook {
namespace {

constexpr char16_t kBuiltInBlocklist[] =
    u\"${text}\";

}  // namespace

std::u16string_view BuiltInBlocklist() {
  return std::u16string_view(kBuiltInBlocklist, sizeof(kBuiltInBlocklist) / sizeof(char16_t) - 1);
}

}  // namespace quellbrook
")
