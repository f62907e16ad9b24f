# Packs one release zip; run by the release_zip target:
#   cmake -DQB_SOURCE_DIR=<repo> -DQB_OUTPUT_DIR=<build> -DQB_EXE=<Quellbrook.exe>
#         -DQB_ARCH=x64|x86 -DQB_VERSION_FILE=<quellbrook_version.txt> -P release_zip.cmake
# It writes <build>/Quellbrook-<version>-<arch>.zip holding exactly
# Quellbrook.exe, the four scripts byte for byte as in batch/, README.txt,
# THIRD-PARTY-NOTICES.txt and SHA256SUMS.txt, removes the zips of earlier
# versions of that arch, and checks the new zip (check_release_zip.cmake).

cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/zip_packing.cmake)

foreach(input QB_SOURCE_DIR QB_OUTPUT_DIR QB_EXE QB_ARCH QB_VERSION_FILE)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "release_zip.cmake needs -D${input}=...")
  endif()
endforeach()

quellbrook_read_version(${QB_VERSION_FILE} QUELLBROOK_VERSION)
# The x86 read-me says in one sentence what the x86 program does on 64-bit
# Windows; the note is a whole bullet of the 注意 list, line ends included.
if(QB_ARCH STREQUAL "x64")
  set(QUELLBROOK_ARCH_TEXT "64 位 Windows，x64")
  set(QUELLBROOK_X86_NOTE "")
else()
  set(QUELLBROOK_ARCH_TEXT "32 位 Windows，x86；64 位 Windows 请用 x64 版")
  string(CONCAT QUELLBROOK_X86_NOTE
    "  · 64 位 Windows 请使用 x64 版：x86 版在那里照样用 64 位的命令提示符运行\n"
    "    脚本，但第 1、2 项优化和第 5 项的最后一步要改的注册表项会被 Windows\n"
    "    转到 32 位程序专用的位置（WOW6432Node），所以 x86 版不做这几步\n"
    "    （第 2 项报错 50，第 1、5 项不提示）。\n")
endif()

# The read-me dates the blocklist by the maltrail snapshot it was taken from.
file(STRINGS ${QB_SOURCE_DIR}/src/hosts/blocklist_provenance.tsv snapshot REGEX "^# maltrail: .* of [0-9-]+$")
if(NOT snapshot MATCHES " of ([0-9]+-[0-9]+-[0-9]+)$")
  message(FATAL_ERROR "release_zip.cmake: blocklist_provenance.tsv does not date the maltrail snapshot")
endif()
set(QUELLBROOK_BLOCKLIST_DATE ${CMAKE_MATCH_1})

set(stage ${QB_OUTPUT_DIR}/release/${QB_ARCH})
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage})

set(scripts xp.bat vista.bat Win7.bat bf.bat)
file(COPY_FILE ${QB_EXE} ${stage}/Quellbrook.exe)
foreach(script IN LISTS scripts)
  file(COPY_FILE ${QB_SOURCE_DIR}/batch/${script} ${stage}/${script})
endforeach()

# The read-me is UTF-8 with a byte order mark and CR LF line ends. Notepad on
# Chinese Windows 7 shows code page 936 text correctly too, but only where 936
# is the ANSI code page, and it guesses the encoding of a file without a mark
# (short GBK texts can pass for UTF-8). With the mark every Notepad since
# Windows 2000 reads it as UTF-8, whatever the system's language. Notepad
# before Windows 10 shows LF-only text as one long line.
file(READ ${QB_SOURCE_DIR}/res/readme.txt.in body)  # drops any CR
string(CONFIGURE "${body}" body @ONLY)
string(REPLACE "\n" "\r\n" body "${body}")
string(ASCII 239 187 191 byte_order_mark)
file(WRITE ${stage}/README.txt "${byte_order_mark}${body}")

# The notices of the blocklist's source: ASCII, so no mark, and CR LF too.
file(READ ${QB_SOURCE_DIR}/THIRD-PARTY-NOTICES.txt notices)
string(REPLACE "\n" "\r\n" notices "${notices}")
file(WRITE ${stage}/THIRD-PARTY-NOTICES.txt "${notices}")

# sha256sum's format ("<hash>  <name>"), with CR LF for Notepad; sha256sum -c
# accepts the CR.
set(packed Quellbrook.exe ${scripts} README.txt THIRD-PARTY-NOTICES.txt)
set(sums "")
foreach(name IN LISTS packed)
  file(SHA256 ${stage}/${name} hash)
  string(APPEND sums "${hash}  ${name}\r\n")
endforeach()
file(WRITE ${stage}/SHA256SUMS.txt "${sums}")

set(zip ${QB_OUTPUT_DIR}/Quellbrook-${QUELLBROOK_VERSION}-${QB_ARCH}.zip)
file(GLOB earlier ${QB_OUTPUT_DIR}/Quellbrook-*-${QB_ARCH}.zip ${QB_OUTPUT_DIR}/Quellbrook-${QB_ARCH}.zip)
# The test kit lies beside it and has a name of the same form.
list(FILTER earlier EXCLUDE REGEX "-tests-${QB_ARCH}\\.zip$")
quellbrook_pack_zip(${zip} ${stage} "${earlier}" ${packed} SHA256SUMS.txt)

set(QB_ZIP ${zip})
include(${CMAKE_CURRENT_LIST_DIR}/check_release_zip.cmake)
