#pragma once
// Test substitutes of the platform services: they record what the logic asked
// for, answer from a script, and can be told to fail.

#include <chrono>
#include <deque>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/failure.h"
#include "forms/services.h"

namespace quellbrook {

class ScriptedMessageBoxes final : public MessageBoxes {
 public:
  void ShowMessage(std::u16string_view text) override;
  std::u16string AskText(std::u16string_view prompt) override;
  void ShowFailure(const PlatformError& failure) override;

  std::vector<std::u16string> messages;
  std::vector<std::u16string> prompts;
  std::vector<PlatformError> failures;
  // Answers for AskText, first in first out; an empty queue answers as Cancel.
  std::deque<std::u16string> answers;
  // Run while a message box or the input box is "open", to look at (or change)
  // the state behind it.
  std::function<void(std::u16string_view)> whileMessageShown;
  std::function<void(std::u16string_view)> whileAsked;
};

class RecordingLauncher final : public Launcher {
 public:
  void LaunchCommand(std::u16string_view commandLine) override;

  std::vector<std::u16string> commandLines;
  std::optional<PlatformError> failure;
};

class FakeEnvironment final : public Environment {
 public:
  std::u16string EnvironmentValue(std::u16string_view name) override;
  bool Is32BitProgramOn64BitWindows() override { return wow64; }

  std::map<std::u16string, std::u16string, std::less<>> variables;
  bool wow64 = false;
};

// One registry call as the scripting host received it.
struct RegistryCall {
  enum class Kind { kWrite, kDelete } kind;
  std::u16string name;
  std::u16string value;
  std::optional<std::u16string> type;
  int hostInstance;  // which CreateScriptingHost made the host that was called
  int hostsAlive;    // hosts not yet released when the call came
};

class FakeScriptingHostFactory final : public ScriptingHostFactory {
 public:
  std::unique_ptr<ScriptingHost> CreateScriptingHost() override;

  std::vector<RegistryCall> calls;
  int created = 0;
  int alive = 0;
  // Failures to raise: at the n-th creation (1-based), or at the n-th call.
  std::optional<int> failCreation;
  std::optional<int> failCall;
  PlatformError failure{0x80070005u, u"拒绝访问。"};
  // Raised instead of `failure` when set, for failures of other kinds.
  std::exception_ptr otherFailure;

  [[noreturn]] void Fail() const;
};

class RecordingSecondaryWindows {
 public:
  void Show(const WindowDefinition& window);

  std::vector<const WindowDefinition*> shown;
  std::optional<PlatformError> failure;
};

}  // namespace quellbrook
