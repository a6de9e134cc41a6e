#pragma once
// The program's persistent settings: a stand-in for string values under
// HKEY_CLASSES_ROOT. Keys are paths such as "VornixKeyProfNTFS" or
// "HV Windows\Model"; each holds named string values.
//
// On disk it is one INI-style file, registry.ini, a section per key:
//
//   [HV Windows\Model]
//   Disk0=ATA Samsung SSD 860
//
// Backslashes, CR and LF inside values are escaped (\\, \r, \n). Every change
// rewrites the whole file into a temporary file that is then renamed over the
// old one, so a crash never leaves half a file.
#include <map>
#include <optional>
#include <string>

namespace platform {

class RegistryFile {
public:
    // registry.ini in ConfigFolder(), as the environment names it now.
    RegistryFile();
    explicit RegistryFile(std::string path);

    const std::string& Path() const { return m_path; }

    // Each call re-reads the file, so two instances never disagree for long.
    bool KeyExists(const std::string& key) const;
    // Creates an empty key (and the file and its folder) when missing.
    bool CreateKey(const std::string& key);
    bool DeleteKey(const std::string& key);
    // Nothing when the key or the value is missing.
    std::optional<std::string> QueryValue(const std::string& key, const std::string& name) const;
    // Creates the key when missing.
    bool SetValue(const std::string& key, const std::string& name, const std::string& value);
    bool DeleteValue(const std::string& key, const std::string& name);

private:
    using Values = std::map<std::string, std::string>;
    using Keys = std::map<std::string, Values>;
    Keys Load() const;
    bool Store(const Keys& keys) const;

    std::string m_path;
};

}  // namespace platform
