#include "LinuxFolders.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

std::string FolderOfFile(const std::string& file)
{
    const std::size_t slash = file.rfind('/');
    if (slash == std::string::npos || slash + 1 == file.size()) return {};
    return file.substr(0, slash + 1);
}

// The XDG variables count only when they hold an absolute path.
std::string AbsoluteVariable(const char* name)
{
    const char* value = std::getenv(name);
    return value && value[0] == '/' ? value : std::string();
}

std::string UnderHome(const char* relative)
{
    const std::string home = AbsoluteVariable("HOME");
    return home.empty() ? home : home + "/" + relative;
}

}  // namespace

std::string ExecutableFolder()
{
    std::vector<char> name(4096);
    const ssize_t length = readlink("/proc/self/exe", name.data(), name.size());
    if (length <= 0 || std::size_t(length) >= name.size()) return {};
    return FolderOfFile(std::string(name.data(), std::size_t(length)));
}

std::string ModuleFolder()
{
    Dl_info info {};
    if (!dladdr(reinterpret_cast<void*>(&ModuleFolder), &info) || !info.dli_fname) return {};
    return FolderOfFile(info.dli_fname);
}

std::string DesktopFolder()
{
    const std::string desktop = AbsoluteVariable("XDG_DESKTOP_DIR");
    return desktop.empty() ? UnderHome("Desktop") : desktop;
}

std::string SettingsFolder(bool systemWide)
{
    if (systemWide) return "/etc/xdg";
    const std::string config = AbsoluteVariable("XDG_CONFIG_HOME");
    return config.empty() ? UnderHome(".config") : config;
}
