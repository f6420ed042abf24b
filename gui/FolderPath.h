#pragma once

#include <string>

// The folder part of a path: everything up to and including the last of the
// separator characters. Empty when the path has no separator, or ends with one (it
// names a folder, not a file in one): "C:\Hosts\h.exe" gives "C:\Hosts\".
std::string FolderOf(const std::string& path, const char* separators);
