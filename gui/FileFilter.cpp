#include "FileFilter.h"

#include <sstream>

bool FileFilter::build(const char* extensions)
{
    bytes.clear();
    defaultExtension.clear();
    std::istringstream list(extensions ? extensions : "");
    std::string extension, patterns;
    while (list >> extension) {
        if (patterns.empty()) defaultExtension = extension;
        else patterns += ';';
        patterns += "*." + extension;
    }
    if (patterns.empty()) return true;
    std::string built = patterns + '\0' + patterns + '\0' + '\0';
    if (built.size() > kMaxBytes || defaultExtension.size() > kMaxDefaultExtension) {
        defaultExtension.clear();
        return false;
    }
    bytes = std::move(built);
    return true;
}
