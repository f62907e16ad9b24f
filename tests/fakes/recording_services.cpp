#include "fakes/recording_services.h"

namespace quellbrook {

void ScriptedMessageBoxes::ShowMessage(std::u16string_view text) {
  messages.emplace_back(text);
  if (whileMessageShown) whileMessageShown(text);
}

std::u16string ScriptedMessageBoxes::AskText(std::u16string_view prompt) {
  prompts.emplace_back(prompt);
  if (whileAsked) whileAsked(prompt);
  if (answers.empty()) return {};
  std::u16string answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

void ScriptedMessageBoxes::ShowFailure(const PlatformError& failure) { failures.push_back(failure); }

void RecordingLauncher::LaunchCommand(std::u16string_view commandLine) {
  if (failure) throw *failure;
  commandLines.emplace_back(commandLine);
}

std::u16string FakeEnvironment::EnvironmentValue(std::u16string_view name) {
  const auto found = variables.find(name);
  return found == variables.end() ? std::u16string() : found->second;
}

namespace {

class FakeScriptingHost final : public ScriptingHost {
 public:
  FakeScriptingHost(FakeScriptingHostFactory& factory, int instance) : factory_(factory), instance_(instance) {
    ++factory_.alive;
  }
  ~FakeScriptingHost() override { --factory_.alive; }

  void RegWrite(std::u16string_view name, std::u16string_view value,
                std::optional<std::u16string_view> type) override {
    Record({RegistryCall::Kind::kWrite, std::u16string(name), std::u16string(value),
            type ? std::optional<std::u16string>(*type) : std::nullopt, instance_, factory_.alive});
  }

  void RegDelete(std::u16string_view name) override {
    Record({RegistryCall::Kind::kDelete, std::u16string(name), {}, std::nullopt, instance_, factory_.alive});
  }

 private:
  void Record(RegistryCall call) {
    const int callNumber = static_cast<int>(factory_.calls.size()) + 1;
    if (factory_.failCall == callNumber) factory_.Fail();
    factory_.calls.push_back(std::move(call));
  }

  FakeScriptingHostFactory& factory_;
  int instance_;
};

}  // namespace

void FakeScriptingHostFactory::Fail() const {
  if (otherFailure) std::rethrow_exception(otherFailure);
  throw failure;
}

std::unique_ptr<ScriptingHost> FakeScriptingHostFactory::CreateScriptingHost() {
  if (failCreation == created + 1) Fail();
  return std::make_unique<FakeScriptingHost>(*this, ++created);
}

void RecordingSecondaryWindows::Show(const WindowDefinition& window) {
  if (failure) throw *failure;
  shown.push_back(&window);
}

}  // namespace quellbrook
