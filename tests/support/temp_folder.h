#pragma once
// A fresh folder for one test, removed with everything in it afterwards, and
// the settings and installation folders pointed into it.
#include <cstdlib>
#include <filesystem>
#include <string>

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vornix-test-XXXXXX").string();
        m_path = mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Settings in <folder>/config, installation folder <folder>/data.
class IsolatedSettings {
public:
    IsolatedSettings() {
        setenv("VORNIX_CONFIG_DIR", (folder / "config").c_str(), 1);
        setenv("VORNIX_DATA_DIR", (folder / "data").c_str(), 1);
    }
    ~IsolatedSettings() {
        unsetenv("VORNIX_CONFIG_DIR");
        unsetenv("VORNIX_DATA_DIR");
    }
    TempFolder folder;
};
