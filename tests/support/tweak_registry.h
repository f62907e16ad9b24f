#pragma once
// The expected tweaks as the real registry shows them: the value or key each
// step leaves behind, and a guard over all of them, so that a run on a real
// Windows leaves the registry as it was.

#include <windows.h>

#include <optional>
#include <string>

#include "registry_state.h"
#include "tweak_effects.h"

namespace quellbrook::test_support {

// A value of that type and data, or, where `value` is empty, the key gone.
struct RegistryEffect {
  HKEY root = nullptr;
  std::wstring key;
  std::optional<std::wstring> value;
  DWORD type = REG_NONE;
  std::wstring text;  // REG_SZ
  DWORD number = 0;   // REG_DWORD
};

inline RegistryEffect EffectOf(const TweakStep& step) {
  const std::wstring path(step.path.begin(), step.path.end());
  const std::size_t afterRoot = path.find(L'\\') + 1;
  RegistryEffect effect;
  effect.root = path.starts_with(L"HKEY_CURRENT_USER\\") ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  if (step.kind == TweakStep::Kind::kDelete) {
    effect.key = path.substr(afterRoot, path.size() - 1 - afterRoot);
    return effect;
  }
  const std::size_t name = path.rfind(L'\\');
  effect.key = path.substr(afterRoot, name - afterRoot);
  effect.value = path.substr(name + 1);
  effect.type = step.type == u"REG_DWORD" ? REG_DWORD : REG_SZ;
  effect.text.assign(step.data.begin(), step.data.end());
  if (effect.type == REG_DWORD) effect.number = std::stoul(effect.text);
  return effect;
}

// Keeps everything the buttons touch, to be put back when `guard` ends.
// False when a key could not be copied.
inline bool KeepEveryTweakEffect(RegistryGuard& guard) {
  for (const ExpectedTweak& tweak : kExpectedTweaks) {
    for (const TweakStep& step : tweak.steps) {
      const RegistryEffect effect = EffectOf(step);
      if (effect.value) {
        guard.KeepValue(effect.root, effect.key, *effect.value);
      } else if (!guard.KeepKey(effect.root, effect.key)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace quellbrook::test_support
