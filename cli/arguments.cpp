#include "cli/arguments.h"

bool ParseUnsigned(const std::string& text, uint64_t& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    try {
        size_t used = 0;
        value = std::stoull(text, &used, 0);
        return used == text.size();
    } catch (...) {
        return false;
    }
}
