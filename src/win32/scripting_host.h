#pragma once
// The system's "Wscript.Shell" object, driven through IDispatch.

#include "forms/services.h"

namespace quellbrook::win32 {

class Win32ScriptingHostFactory final : public ScriptingHostFactory {
 public:
  std::unique_ptr<ScriptingHost> CreateScriptingHost() override;
};

}  // namespace quellbrook::win32
