#include "fakes/fake_services.h"

#include <memory>
#include <utility>

#include "fakes/iconv_code_page.h"
#include "fakes/posix_file_store.h"

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
      windows(Make<RecordingSecondaryWindows>(parts.windows)) {
  auto store = std::make_unique<FaultyFileStore>(std::make_unique<PosixFileStore>());
  this->store = store.get();
  parts.store = std::move(store);
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
