#pragma once
// Reading the numbers of the command line.
#include <cstdint>
#include <string>

// A whole unsigned number (decimal, or hex with 0x); false for anything else.
bool ParseUnsigned(const std::string& text, uint64_t& value);
