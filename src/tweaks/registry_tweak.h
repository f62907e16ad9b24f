#pragma once
// The ten registry tweaks of the extra optimization window, one row per button,
// and the one operation every button runs on its row.

#include <array>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "forms/control_id.h"

namespace quellbrook {

struct Services;

// One call to the scripting host. Paths name the root key in full; a write's
// last component is the value name, and a delete's path ends in a backslash
// because it removes a whole key.
struct RegistryOperation {
  enum class Kind { kWrite, kDelete };
  Kind kind = Kind::kWrite;
  std::u16string_view path;
  std::u16string_view data;                  // writes only; always handed over as text
  std::optional<std::u16string_view> type;   // writes only; none: the host stores a string
  // 64-bit Windows redirects the key for a 32-bit program (WOW64): the change
  // would land in the 32-bit copy under WOW6432Node, which Windows never reads.
  bool redirectedUnderWow64 = false;

  // The key the operation changes: a write's path without its value name, a
  // delete's without its final backslash.
  constexpr std::u16string_view Key() const {
    return kind == Kind::kDelete ? path.substr(0, path.size() - 1) : path.substr(0, path.rfind(u'\\'));
  }
};

constexpr RegistryOperation RegWriteStep(std::u16string_view path, std::u16string_view data,
                                         std::optional<std::u16string_view> type = std::nullopt) {
  return {RegistryOperation::Kind::kWrite, path, data, type};
}

constexpr RegistryOperation RegDeleteStep(std::u16string_view path) {
  return {RegistryOperation::Kind::kDelete, path, {}, std::nullopt};
}

// Marks a step whose key lies under HKLM\SOFTWARE outside the keys that stay
// shared, by Microsoft's "Registry Keys Affected by WOW64" for Windows 7 and
// later (learn.microsoft.com/windows/win32/winprog64/shared-registry-keys):
// SYSTEM, HKEY_CURRENT_USER and ...\CurrentVersion\Policies are shared.
constexpr RegistryOperation RedirectedUnderWow64(RegistryOperation step) {
  step.redirectedUnderWow64 = true;
  return step;
}

enum class OnFailure {
  kReport,  // the failure reaches the click dispatch and is reported
  kEndQuietly,
};

struct RegistryTweak {
  static constexpr std::size_t kMaxSteps = 3;

  constexpr RegistryTweak(ControlId button, OnFailure onFailure, std::initializer_list<RegistryOperation> steps)
      : button(button), onFailure(onFailure), count_(steps.size()) {
    // A row with more steps than fit does not compile in a constant table.
    if (steps.size() == 0 || steps.size() > kMaxSteps) throw "a tweak has one to three steps";
    std::size_t at = 0;
    for (const RegistryOperation& step : steps) steps_[at++] = step;
  }

  std::span<const RegistryOperation> Steps() const { return {steps_.data(), count_}; }

  ControlId button;
  OnFailure onFailure;

 private:
  std::array<RegistryOperation, kMaxSteps> steps_{};
  std::size_t count_;
};

// Command1 to Command10, in button order.
extern const std::array<RegistryTweak, 10> kRegistryTweaks;

// The tweak of `button`, or nullptr when the button has none.
const RegistryTweak* FindRegistryTweak(ControlId button);

// Performs the tweak's steps in order, each through a scripting host created
// for it alone. A failing step ends the tweak there; what earlier steps did
// stays done. Every host lives until the tweak ends, on every path. In the
// 32-bit program on 64-bit Windows a step whose key WOW64 redirects fails
// before its host is created (error 50, naming the key and the x64 build).
void RunRegistryTweak(const RegistryTweak& tweak, Services& services);

}  // namespace quellbrook
