#pragma once

#include <windows.h>

// The editor's window class, shared by every editor window of the module in this
// process: registered when the first window needs it and unregistered when the last
// one no longer does.
namespace WindowClass {

// Counts one more user, registering the class for the first; false (and no user
// counted) when it could not be registered.
bool acquire(HINSTANCE module, const char* name, WNDPROC procedure);
// Counts one user less, unregistering the class with the last.
void release(HINSTANCE module, const char* name);
// How many users the class has now.
int users();

}  // namespace WindowClass
