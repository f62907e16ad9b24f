#pragma once
// The program's services, wired in one place: the Windows program fills it
// with the Win32 services, the tests with the parts they replace.

#include <memory>

#include "core/code_page.h"
#include "core/file_channel.h"
#include "core/file_store.h"
#include "forms/services.h"

namespace quellbrook {

class ServiceSet {
 public:
  struct Parts {
    std::unique_ptr<MessageBoxes> boxes;
    std::unique_ptr<Launcher> launcher;
    std::unique_ptr<Environment> environment;
    std::unique_ptr<FileStore> store;
    std::unique_ptr<CodePage> codePage;
    std::unique_ptr<ScriptingHostFactory> scripting;
    std::unique_ptr<SecondaryWindows> windows;
  };

  // Every part must be present.
  explicit ServiceSet(Parts parts);
  // The secondary windows go first: their logic uses the other services.
  ~ServiceSet();
  ServiceSet(const ServiceSet&) = delete;
  ServiceSet& operator=(const ServiceSet&) = delete;

  Services& Get() noexcept { return services_; }

 private:
  Parts parts_;
  FileChannel files_;
  Services services_;
};

}  // namespace quellbrook
