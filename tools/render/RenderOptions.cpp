#include "RenderOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace vorla::render {

namespace {

bool ParseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && errno == 0 && std::isfinite(value);
}

bool ParseSetting(const std::string& text, RenderOptions& options, std::string& error)
{
    const size_t equals = text.find('=');
    double value = 0.0;
    if (equals == std::string::npos || equals == 0 || !ParseNumber(text.substr(equals + 1), value)) {
        error = "--set expects NAME=VALUE with a number, not '" + text + "'";
        return false;
    }
    options.settings.emplace_back(text.substr(0, equals), value);
    return true;
}

bool ParseBlockSize(const std::string& text, RenderOptions& options, std::string& error)
{
    double value = 0.0;
    if (!ParseNumber(text, value) || value != std::floor(value) || value < 1 || value > 1 << 20) {
        error = "--block expects a whole number of frames from 1 to 1048576, not '" + text + "'";
        return false;
    }
    options.blockSize = int(value);
    return true;
}

}  // namespace

const char* Usage()
{
    return "usage: vorla-render [--plugin BUNDLE] [--set NAME=VALUE]... [--block N] [--double]\n"
           "                    [--state-in F] [--state-out F] [IN] OUT\n"
           "       vorla-render [--plugin BUNDLE] [--set NAME=VALUE]... [--state-in F] --plot FILE\n"
           "Renders IN (WAV, FLAC or AIFF; mono or stereo) through the plug-in into OUT.\n"
           "Without IN it renders a built-in test signal and prints the response and speed;\n"
           "with no file at all it only prints them.\n"
           "--plot measures the magnitude response from 20 Hz to 20 kHz through the plug-in\n"
           "and draws it into FILE (.svg or .png).\n";
}

bool ParseOptions(int argc, const char* const* argv, const std::string& defaultPlugin, RenderOptions& options,
                  std::string& error)
{
    options.plugin = defaultPlugin;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto value = [&] { return std::string(argv[++i]); };
        if (arg == "--double") {
            options.doublePrecision = true;
        } else if (arg == "--plugin" || arg == "--set" || arg == "--block" || arg == "--state-in" ||
                   arg == "--state-out" || arg == "--plot") {
            if (!hasValue) {
                error = arg + " needs a value";
                return false;
            }
            if (arg == "--plugin") options.plugin = value();
            if (arg == "--state-in") options.stateIn = value();
            if (arg == "--state-out") options.stateOut = value();
            if (arg == "--plot") options.plot = value();
            if (arg == "--set" && !ParseSetting(value(), options, error)) return false;
            if (arg == "--block" && !ParseBlockSize(value(), options, error)) return false;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return false;
        } else {
            files.push_back(arg);
        }
    }
    if (!options.plot.empty() && !files.empty()) {
        error = "--plot draws the response of the plug-in alone; it takes no sound files";
        return false;
    }
    if (files.size() > 2) {
        error = "at most two files: [IN] OUT";
        return false;
    }
    if (files.size() == 2) options.input = files[0];
    if (!files.empty()) options.output = files.back();
    return true;
}

}  // namespace vorla::render
