#include "win32/program/program_services.h"

#include <memory>

#include "win32/system/ansi_code_page.h"
#include "win32/system/environment.h"
#include "win32/system/file_store.h"
#include "win32/system/launcher.h"
#include "win32/ui/message_boxes.h"
#include "win32/system/scripting_host.h"

namespace quellbrook::win32 {

ServiceSet::Parts Win32ServiceParts(const DialogOwner& dialogOwner, FormTracker& forms) {
  ServiceSet::Parts parts;
  parts.boxes = std::make_unique<Win32MessageBoxes>(dialogOwner, forms);
  parts.launcher = std::make_unique<Win32Launcher>();
  parts.environment = std::make_unique<Win32Environment>();
  parts.store = std::make_unique<Win32FileStore>();
  parts.codePage = std::make_unique<AnsiCodePage>();
  parts.scripting = std::make_unique<Win32ScriptingHostFactory>();
  return parts;
}

}  // namespace quellbrook::win32
