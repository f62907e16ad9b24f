#pragma once
// The program's services as the unit tests see them: recording substitutes of
// boxes, launcher, environment, scripting host and secondary windows around the
// real file channel over files in memory and iconv's code page 936.

#include "fakes/memory_file_store.h"
#include "fakes/recording_services.h"
#include "forms/service_set.h"

namespace quellbrook {

class FakeServices {
 public:
  FakeServices() : FakeServices(Parts{}) {}

  Services& services() noexcept { return set_.Get(); }
  FileChannel& files() noexcept { return set_.Get().files; }

  ScriptedMessageBoxes& boxes;
  RecordingLauncher& launcher;
  FakeEnvironment& environment;
  FakeScriptingHostFactory& scripting;
  RecordingSecondaryWindows& windows;
  // The files, told when to fail.
  MemoryFileStore& store;

 private:
  // The fakes, created before the set takes them over.
  struct Parts {
    Parts();
    ServiceSet::Parts parts;
    ScriptedMessageBoxes* boxes;
    RecordingLauncher* launcher;
    FakeEnvironment* environment;
    FakeScriptingHostFactory* scripting;
    RecordingSecondaryWindows* windows;
    MemoryFileStore* store;
  };
  explicit FakeServices(Parts made);

  ServiceSet set_;
};

}  // namespace quellbrook
