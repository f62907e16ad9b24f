#pragma once
// What the fuzz targets share: code page 936, the files in memory, texts drawn
// from a few characters (so that searches find something), and a check that
// stops the run where an outcome differs from its reference.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#include "fakes/iconv_code_page.h"
#include "fakes/memory_file_store.h"

namespace quellbrook::fuzz {

inline const IconvCodePage& Gbk() {
  static const IconvCodePage codePage("CP936", 2);
  return codePage;
}

// A text of up to `maxLength` units from an alphabet with line breaks, a CJK
// character, the escape of an undecodable byte and half a surrogate pair.
inline std::u16string SmallAlphabetText(FuzzedDataProvider& data, std::size_t maxLength) {
  static constexpr char16_t kAlphabet[] = {u'a', u'b', u'\r', u'\n', u'中', 0xDC81, 0xD83D, u'\0'};
  std::u16string text;
  const std::string bytes = data.ConsumeRandomLengthString(maxLength);
  for (const unsigned char byte : bytes) text += kAlphabet[byte % std::size(kAlphabet)];
  return text;
}

// Ends the run as a crash, so that libFuzzer keeps the input that caused it.
inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

}  // namespace quellbrook::fuzz
