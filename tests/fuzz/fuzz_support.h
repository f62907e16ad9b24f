#pragma once
// What the fuzz targets share: code page 936, an in-memory file store, texts
// drawn from a few characters (so that searches find something), and a check
// that stops the run where an outcome differs from its reference.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include <fuzzer/FuzzedDataProvider.h>

#include "core/file_store.h"
#include "fakes/iconv_code_page.h"

namespace quellbrook::fuzz {

inline const IconvCodePage& Gbk() {
  static const IconvCodePage codePage("CP936", 2);
  return codePage;
}

// Files kept in memory; a replacement lands only on Commit, as on disk.
class MemoryFileStore final : public FileStore {
 public:
  std::map<std::u16string, std::string> files;

  std::string ReadAll(std::u16string_view path) override { return files.at(std::u16string(path)); }
  std::unique_ptr<FileReplacement> BeginReplace(std::u16string_view path) override {
    return std::make_unique<Replacement>(files[std::u16string(path)]);
  }

 private:
  class Replacement final : public FileReplacement {
   public:
    explicit Replacement(std::string& target) : target_(target) {}
    void Append(std::string_view bytes) override { pending_.append(bytes); }
    void Commit() override { target_ = pending_; }

   private:
    std::string& target_;
    std::string pending_;
  };
};

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
