#pragma once
// The program's services as the unit tests see them: recording substitutes of
// boxes, launcher, environment, scripting host and secondary windows around the
// real file channel over files in memory and iconv's code page 936.

#include "core/file_channel.h"
#include "fakes/iconv_code_page.h"
#include "fakes/memory_file_store.h"
#include "fakes/recording_services.h"
#include "forms/services.h"

namespace quellbrook {

class FakeServices {
 public:
  FakeServices() = default;
  FakeServices(const FakeServices&) = delete;
  FakeServices& operator=(const FakeServices&) = delete;

  Services& services() noexcept { return services_; }
  FileChannel& files() noexcept { return files_; }

  ScriptedMessageBoxes boxes;
  RecordingLauncher launcher;
  FakeEnvironment environment;
  FakeScriptingHostFactory scripting;
  RecordingSecondaryWindows windows;
  // The files, told when to fail.
  MemoryFileStore store;

 private:
  IconvCodePage codePage_{"CP936", 2};
  FileChannel files_{store, codePage_};
  Services services_{boxes, launcher, environment, files_, scripting,
                     [this](const WindowDefinition& window) { windows.Show(window); }};
};

}  // namespace quellbrook
