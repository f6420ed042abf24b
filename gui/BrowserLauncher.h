#pragma once

// Opens web pages in the system browser for an editor. Each window layer brings its
// own; a test puts one in its place that opens nothing, so no browser ever starts
// under test.
class BrowserLauncher {
public:
    virtual ~BrowserLauncher() = default;
    // Opens `url` on behalf of the editor's native window (null without one); true
    // when the page was handed to a browser.
    virtual bool openPage(void* window, const char* url) = 0;
};
