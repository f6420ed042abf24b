#pragma once

#include <cstddef>
#include <string>

// The file-type filter of an open or save dialog, built from a list of extensions
// separated by blanks ("wav aif"): the patterns "*.wav;*.aif" written twice, as the
// description and as the pattern, each ending in a zero byte, and a final zero byte.
// The first extension is the default one.
struct FileFilter {
    static constexpr std::size_t kMaxBytes = 255;           // the whole filter, zero bytes included
    static constexpr std::size_t kMaxDefaultExtension = 15; // characters

    std::string bytes;             // empty when the list is
    std::string defaultExtension;

    // False, leaving the filter empty, when the list is too long for the limits
    // above; a dialog then has no filter to offer and is not shown.
    bool build(const char* extensions);
};
