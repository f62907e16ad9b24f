# Build rule for the built-in HOSTS blocklist:
#
#   include(cmake/embed_blocklist_rule.cmake)
#   quellbrook_embed_blocklist(<target>)
#
# generates blocklist_text.cpp from src/hosts/blocklist.txt (again whenever the
# list or cmake/embed_blocklist.cmake changes) and compiles it into <target>.
# Call it in the directory that defines <target>.

set(QUELLBROOK_EMBED_BLOCKLIST_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/embed_blocklist.cmake")
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH _quellbrook_root)
set(QUELLBROOK_BLOCKLIST_SOURCE_DIR "${_quellbrook_root}/src")
unset(_quellbrook_root)

function(quellbrook_embed_blocklist target)
  set(input "${QUELLBROOK_BLOCKLIST_SOURCE_DIR}/hosts/blocklist.txt")
  set(output "${CMAKE_CURRENT_BINARY_DIR}/${target}.blocklist/blocklist_text.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DINPUT=${input}" "-DOUTPUT=${output}"
            -P "${QUELLBROOK_EMBED_BLOCKLIST_SCRIPT}"
    DEPENDS "${input}" "${QUELLBROOK_EMBED_BLOCKLIST_SCRIPT}"
    COMMENT "Embedding the built-in HOSTS blocklist"
    VERBATIM)
  target_sources(${target} PRIVATE "${output}")
  # The generated file includes "hosts/blocklist.h".
  target_include_directories(${target} PRIVATE "${QUELLBROOK_BLOCKLIST_SOURCE_DIR}")
endfunction()
