#include "app/message_catalog.h"

#include "app/installation.h"
#include "platform/folders.h"

#include <cctype>
#include <fstream>

MessageCatalog::MessageCatalog(const std::string& dataFileName) {
    std::string folder = InstallationFolder();
    if (folder.empty()) return;
    std::ifstream in(platform::JoinPath(folder, dataFileName), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t tab = line.find('\t');
        if (tab == 0 || tab == std::string::npos || tab > 9) continue;
        bool digits = true;
        for (size_t i = 0; i < tab; ++i) digits = digits && std::isdigit(static_cast<unsigned char>(line[i]));
        if (digits) m_texts[std::stoi(line.substr(0, tab))] = line.substr(tab + 1);
    }
}

std::optional<std::string> MessageCatalog::GetText(int number) const {
    auto it = m_texts.find(number);
    if (it == m_texts.end()) return std::nullopt;
    return it->second;
}
