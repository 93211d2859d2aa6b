#include "SettingsHooks.h"

#include <utility>

namespace {
SettingsHooks& HookStorage()
{
    static SettingsHooks hooks;
    return hooks;
}
} // namespace

void InstallSettingsHooks(SettingsHooks hooks) { HookStorage() = std::move(hooks); }

const SettingsHooks& InstalledSettingsHooks() { return HookStorage(); }
