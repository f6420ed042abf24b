#include "TestFiles.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

namespace vorla::test {

ScratchFolder::ScratchFolder()
{
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do
        root = base / ("vorla-test-" + std::to_string(random()));
    while (!std::filesystem::create_directory(root));
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> FilesBelow(const std::filesystem::path& folder)
{
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        if (!entry.is_directory()) files.push_back(entry.path().lexically_relative(folder).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace vorla::test
