#pragma once

#include "BrowserLauncher.h"

// Opens pages with the shell's "open" verb, which starts the user's browser, once the
// machine reports a connection to the internet.
class ShellBrowserLauncher : public BrowserLauncher {
public:
    bool openPage(void* window, const char* url) override;
};
