#pragma once

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "pluginterfaces/base/ipluginbase.h"

namespace vorla::moduleinfo {

// A class identifier as the VST 3 SDK prints it: 32 upper-case hexadecimal digits.
// (On Windows the SDK reads the 16 bytes as a COM GUID, so the text differs there.)
std::string ClassIdText(const Steinberg::TUID classId);

// The VST 3 SDK's module description (moduleinfo.json) of a loaded module, built
// from its factory's own answers and the snapshots present in the bundle's Resources
// folder. Null, with the reason in `error`, when the factory cannot answer.
nlohmann::ordered_json DescribeModule(const std::string& moduleName, Steinberg::IPluginFactory& factory,
                                      const std::filesystem::path& resources, std::string& error);

// Loads the bundle, as a host would, and writes its Contents/Resources/moduleinfo.json;
// false with the reason in `error` on any failure, leaving an older file untouched.
bool WriteModuleInfo(const std::filesystem::path& bundle, std::string& error);

}  // namespace vorla::moduleinfo
