#include "fakes/fake_services.h"

#include <memory>
#include <utility>

#include "fakes/iconv_code_page.h"

namespace quellbrook {
namespace {

template <typename Fake, typename Service>
Fake* Make(std::unique_ptr<Service>& slot) {
  auto fake = std::make_unique<Fake>();
  Fake* made = fake.get();
  slot = std::move(fake);
  return made;
}

}  // namespace

FakeServices::Parts::Parts()
    : boxes(Make<ScriptedMessageBoxes>(parts.boxes)),
      launcher(Make<RecordingLauncher>(parts.launcher)),
      environment(Make<FakeEnvironment>(parts.environment)),
      scripting(Make<FakeScriptingHostFactory>(parts.scripting)),
      windows(Make<RecordingSecondaryWindows>(parts.windows)),
      store(Make<MemoryFileStore>(parts.store)) {
  parts.codePage = std::make_unique<IconvCodePage>("CP936", 2);
}

FakeServices::FakeServices(Parts made)
    : boxes(*made.boxes),
      launcher(*made.launcher),
      environment(*made.environment),
      scripting(*made.scripting),
      windows(*made.windows),
      store(*made.store),
      set_(std::move(made.parts)) {}

}  // namespace quellbrook
