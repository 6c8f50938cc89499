#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

// A folder name with the characters the command interpreter treats specially, as far as file names allow them.
#ifdef _WIN32
inline const std::string kCommandCharacterFolder = "R&D 50% ^y";
#else
inline const std::string kCommandCharacterFolder = "R&D 50% <x> | ^y";
#endif

// A fresh folder under the system's temporary folder, removed with everything in it at the end of the test.
class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
            ("ferrowind-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::permissions(
            path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
        std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, or a path inside it, as text.
    std::string path(const std::string& relative = {}) const
    {
        return relative.empty() ? path_.string() : (path_ / relative).make_preferred().string();
    }

    // Writes a file (creating its folders) with exactly these bytes and returns its path.
    std::string write(const std::string& relative, const std::string& bytes = {}) const
    {
        const std::filesystem::path file = (path_ / relative).make_preferred();
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }

    std::string makeFolder(const std::string& relative) const
    {
        std::filesystem::create_directories(path_ / relative);
        return (path_ / relative).string();
    }

private:
    std::filesystem::path path_;
};

inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
