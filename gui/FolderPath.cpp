#include "FolderPath.h"

std::string FolderOf(const std::string& path, const char* separators)
{
    const std::size_t last = path.find_last_of(separators);
    if (last == std::string::npos || last + 1 == path.size()) return {};
    return path.substr(0, last + 1);
}
