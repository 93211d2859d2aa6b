#pragma once
// Whether a standard stream of the process reaches a terminal, so that a
// command-line program shows progress only to a person watching it.
namespace platform {

enum class StandardStream { Input, Output, Error };

bool IsTerminal(StandardStream stream);

} // namespace platform
