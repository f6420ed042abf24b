#include "Snapshots.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace vorla::moduleinfo {

namespace {

constexpr const char* kFolder = "Snapshots";
constexpr const char* kExtension = ".png";

// The scale a snapshot file name stands for: 1 for "<id>_snapshot.png", the number
// before the 'x' for "<id>_snapshot_<number>x.png", and 0 for any other name.
double ScaleOf(const std::string& name, const std::string& classId)
{
    const std::string stem = classId + "_snapshot";
    const std::string extension = kExtension;
    if (name.size() < stem.size() + extension.size() || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
        return 0.0;
    const std::string scale = name.substr(stem.size(), name.size() - stem.size() - extension.size());
    if (scale.empty()) return 1.0;
    if (scale.size() < 3 || scale.front() != '_' || scale.back() != 'x') return 0.0;
    const std::string number = scale.substr(1, scale.size() - 2);
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    const bool whole = !number.empty() && end == number.c_str() + number.size();
    return whole && std::isfinite(value) && value > 0.0 ? value : 0.0;
}

}  // namespace

std::vector<Snapshot> FindSnapshots(const std::filesystem::path& resources, const std::string& classId)
{
    std::vector<Snapshot> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(resources / kFolder, error)) {
        const std::string name = entry.path().filename().string();
        const double scale = ScaleOf(name, classId);
        if (scale > 0.0 && entry.is_regular_file(error))
            found.push_back({scale, std::string(kFolder) + "/" + name});
    }
    std::sort(found.begin(), found.end(),
              [](const Snapshot& a, const Snapshot& b) { return a.scaleFactor < b.scaleFactor; });
    return found;
}

}  // namespace vorla::moduleinfo
