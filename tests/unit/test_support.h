#pragma once
// Shared fixtures of the unit tests: the substitute services around a real file
// channel, working in a fresh temporary folder that is the current directory.

#include <filesystem>
#include <string>

#include "platform/file_channel.h"
#include "platform/posix/iconv_code_page.h"
#include "platform/posix/posix_file_store.h"
#include "platform/services.h"
#include "platform/substitutes/recording_services.h"

namespace quellbrook::testing {

// A fresh folder that is the current directory for the object's lifetime.
class TemporaryWorkingFolder {
 public:
  TemporaryWorkingFolder();
  ~TemporaryWorkingFolder();
  TemporaryWorkingFolder(const TemporaryWorkingFolder&) = delete;
  TemporaryWorkingFolder& operator=(const TemporaryWorkingFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // Names of the files in the folder, sorted.
  std::vector<std::string> FileNames() const;

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);

// Code page 936 bytes of a text, for building files in tests.
std::string Gbk(std::u16string_view text);

struct SubstituteServices {
  ScriptedMessageBoxes boxes;
  RecordingLauncher launcher;
  FakeEnvironment environment;
  PosixFileStore store;
  IconvCodePage codePage{"CP936", 2};
  FileChannel files{store, codePage};
  FakeScriptingHostFactory scripting;
  RecordingSecondaryWindows windows;
  Services services{boxes, launcher, environment, files, scripting, windows};
};

}  // namespace quellbrook::testing
