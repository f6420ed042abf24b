#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vorla::test {

// A fresh folder under the system's temporary folder, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::string operator/(const std::string& name) const { return (root / name).string(); }

private:
    std::filesystem::path root;
};

// The whole file; empty when it cannot be read.
std::string ReadText(const std::filesystem::path& path);
// Writes the file, making its folders first.
void WriteText(const std::filesystem::path& path, const std::string& text);
// Every file below `folder`, as '/'-separated paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::filesystem::path& folder);

}  // namespace vorla::test
