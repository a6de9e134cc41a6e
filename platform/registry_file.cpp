#include "platform/registry_file.h"

#include "platform/folders.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace platform {
namespace {

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char next = text[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

}  // namespace

RegistryFile::RegistryFile() : m_path(ConfigFolder() + "/registry.ini") {}

RegistryFile::RegistryFile(std::string path) : m_path(std::move(path)) {}

RegistryFile::Keys RegistryFile::Load() const {
    Keys keys;
    std::ifstream in(m_path, std::ios::binary);
    std::string line;
    Values* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            current = &keys[line.substr(1, line.size() - 2)];
            continue;
        }
        size_t eq = line.find('=');
        if (current && eq != std::string::npos)
            (*current)[line.substr(0, eq)] = Unescape(line.substr(eq + 1));
    }
    return keys;
}

bool RegistryFile::Store(const Keys& keys) const {
    size_t slash = m_path.rfind('/');
    if (slash != std::string::npos && !CreateFolderPath(m_path.substr(0, slash))) return false;
    std::ostringstream text;
    for (const auto& [key, values] : keys) {
        text << '[' << key << "]\n";
        for (const auto& [name, value] : values) text << name << '=' << Escape(value) << '\n';
    }
    std::string temp = m_path + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text.str();
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), m_path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool RegistryFile::KeyExists(const std::string& key) const {
    return Load().count(key) != 0;
}

bool RegistryFile::CreateKey(const std::string& key) {
    Keys keys = Load();
    if (keys.count(key)) return true;
    keys[key];
    return Store(keys);
}

bool RegistryFile::DeleteKey(const std::string& key) {
    Keys keys = Load();
    if (!keys.erase(key)) return false;
    return Store(keys);
}

std::optional<std::string> RegistryFile::QueryValue(const std::string& key,
                                                    const std::string& name) const {
    Keys keys = Load();
    auto k = keys.find(key);
    if (k == keys.end()) return std::nullopt;
    auto v = k->second.find(name);
    if (v == k->second.end()) return std::nullopt;
    return v->second;
}

bool RegistryFile::SetValue(const std::string& key, const std::string& name,
                            const std::string& value) {
    if (name.find('=') != std::string::npos || name.find('\n') != std::string::npos) return false;
    Keys keys = Load();
    keys[key][name] = value;
    return Store(keys);
}

bool RegistryFile::DeleteValue(const std::string& key, const std::string& name) {
    Keys keys = Load();
    auto k = keys.find(key);
    if (k == keys.end() || !k->second.erase(name)) return false;
    return Store(keys);
}

}  // namespace platform
