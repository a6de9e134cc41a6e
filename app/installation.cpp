#include "app/installation.h"

#include "platform/folders.h"
#include "platform/registry_file.h"

const char* RegistryKey() { return "VornixKeyProfNTFS"; }

std::string InstallationFolder() {
    return platform::RegistryFile().QueryValue(RegistryKey(), "FilePath").value_or("");
}

std::string EnsureInstallationFolder() {
    std::string folder = InstallationFolder();
    if (folder.empty()) {
        folder = platform::DefaultInstallationFolder();
        if (!platform::RegistryFile().SetValue(RegistryKey(), "FilePath", folder)) return {};
    }
    return platform::CreateFolderPath(folder) ? folder : std::string();
}
