#include "AppSettings.h"

void ApplyOverstrikeOnStartup(AppSettings& settings)
{
    if (settings.overstrikeOnStartup)
        settings.insertMode = false;
}
