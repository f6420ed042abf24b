#pragma once

#include <string>

// The folders an editor reports on Linux. Folders of files (the host's program,
// the plug-in's module) end in a slash, the others do not, as on Windows. Each is
// empty when it cannot be found.

// The folder of the host's executable.
std::string ExecutableFolder();
// The folder of the module this code is linked into (the plug-in's).
std::string ModuleFolder();
// $XDG_DESKTOP_DIR, else $HOME/Desktop.
std::string DesktopFolder();
// The user's configuration folder ($XDG_CONFIG_HOME, else $HOME/.config), or the
// system-wide one (/etc/xdg).
std::string SettingsFolder(bool systemWide);
