#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vorla::render {

// What one run of vorla-render is asked to do.
struct RenderOptions {
    std::string plugin;                                     // bundle or module file
    std::vector<std::pair<std::string, double>> settings;  // parameter title, plain value
    int blockSize = 512;
    bool doublePrecision = false;
    std::string stateIn;
    std::string stateOut;
    std::string input;   // empty: the built-in test signal
    std::string output;  // empty: no file, only the response table
    std::string plot;    // a picture of the measured response, instead of any sound file
};

// Parses the command line; false with a message in `error` on a mistake.
bool ParseOptions(int argc, const char* const* argv, const std::string& defaultPlugin, RenderOptions& options,
                  std::string& error);

const char* Usage();

}  // namespace vorla::render
