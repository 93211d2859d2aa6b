#pragma once
// The process-wide task and data-type registries. The data-type modules load
// during start-up, while the settings are read and before the hidden types
// are applied; the task modules load the first time a task command needs
// them. Both release their modules at exit.
#include "ext/TaskExtensions.h"
#include "ext/TypeExtensions.h"

// Both search the program's own directory. TaskRegistry() does not load;
// LoadedTaskRegistry() loads on first use.
TaskExtensions& TaskRegistry();
TaskExtensions& LoadedTaskRegistry();
// Fills ValueTypes() when loaded.
TypeExtensions& TypeRegistry();

// Adds the data-type hooks to the settings hooks already installed: loading
// the settings loads the data-type modules and then applies "HiddenTypes";
// saving writes the registry's hidden types. Called once at start-up, before
// the settings are loaded.
void InstallExtensionSettingsHooks();

// Frees every module, task registry first, each in its list order. Call it at
// exit while the application object still exists; calling it again does nothing.
void ReleaseExtensionModules();
