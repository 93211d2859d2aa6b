#pragma once
// Long runs that the user may stop ask this, at fixed intervals, whether Esc
// was pressed since the last call. The window layer supplies one that
// processes pending events, swallowing user input but noting an Esc press;
// tests supply one that presses Esc on cue. An empty poller never stops.
#include <functional>

using EscapePoller = std::function<bool()>;
