#pragma once
// The system's "Wscript.Shell" object, driven through IDispatch.

#include <optional>

#include "forms/services.h"
#include "win32/system/com_support.h"

namespace quellbrook::win32 {

// Used on the UI thread only. The first host loads COM and enters a
// single-threaded apartment, once; the apartment is left when the factory
// goes at the program's end, after every host it made.
class Win32ScriptingHostFactory final : public ScriptingHostFactory {
 public:
  std::unique_ptr<ScriptingHost> CreateScriptingHost() override;

 private:
  std::optional<ComApartment> apartment_;
};

}  // namespace quellbrook::win32
