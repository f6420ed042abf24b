#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vorla::moduleinfo {

// A picture of a class's editor that hosts show in their plug-in browsers. Hosts
// find it as Contents/Resources/Snapshots/<class id>_snapshot.png (scale 1) or
// <class id>_snapshot_<scale>x.png, e.g. _snapshot_2.0x.png for a doubled one.
struct Snapshot {
    double scaleFactor;
    std::string path;  // relative to Contents/Resources, with '/' separators
};

// The snapshots of one class present in a bundle's Resources folder, smallest scale
// first; none when the folder or the pictures are missing.
std::vector<Snapshot> FindSnapshots(const std::filesystem::path& resources, const std::string& classId);

}  // namespace vorla::moduleinfo
