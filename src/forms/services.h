#pragma once
// Everything the window logic needs from its platform besides the controls.
// Each service is a small interface with a Win32 implementation and a test
// substitute; the file channel is one concrete class over a byte store.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quellbrook {

class FileChannel;
class PlatformError;
struct WindowDefinition;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Modal box with the text and one OK button, captioned with the application
  // title; returns when dismissed.
  virtual void ShowMessage(std::u16string_view text) = 0;
  // Modal box with the prompt, an empty entry field, OK and Cancel. Cancel and
  // an empty entry both give the empty text.
  virtual std::u16string AskText(std::u16string_view prompt) = 0;
  // The standard report of an untrapped failure: number and description.
  virtual void ShowFailure(const PlatformError& failure) = 0;
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts the command line in a normal window that takes the focus, in the
  // program's current directory, and returns without waiting.
  virtual void LaunchCommand(std::u16string_view commandLine) = 0;
};

class Environment {
 public:
  virtual ~Environment() = default;
  // The variable's value, or the empty text when it is not set.
  virtual std::u16string EnvironmentValue(std::u16string_view name) = 0;
  // True for a 32-bit program on 64-bit Windows (WOW64): Windows then shows it
  // the 32-bit view of parts of the registry and of the system folder.
  virtual bool Is32BitProgramOn64BitWindows() = 0;
};

// One instance of the system's "Wscript.Shell" object.
class ScriptingHost {
 public:
  virtual ~ScriptingHost() = default;
  virtual void RegWrite(std::u16string_view name, std::u16string_view value,
                        std::optional<std::u16string_view> type = std::nullopt) = 0;
  virtual void RegDelete(std::u16string_view name) = 0;
};

class ScriptingHostFactory {
 public:
  virtual ~ScriptingHostFactory() = default;
  virtual std::unique_ptr<ScriptingHost> CreateScriptingHost() = 0;
};

struct Services {
  MessageBoxes& boxes;
  Launcher& launcher;
  Environment& environment;
  FileChannel& files;
  ScriptingHostFactory& scripting;
  // Creates the window's single instance on first use (and again after the
  // user closed it) and shows it modeless, without an owner, as the active
  // window.
  std::function<void(const WindowDefinition& window)> showSecondaryWindow;
};

}  // namespace quellbrook
