#include "AppSettings.h"

AppSettings& Settings()
{
    // Created on first use. Its default font is only a stand-in when that use
    // comes before the application object; LoadSettings sets the real one.
    static AppSettings settings;
    return settings;
}

void ApplyOverstrikeOnStartup(AppSettings& settings)
{
    if (settings.overstrikeOnStartup)
        settings.insertMode = false;
}
