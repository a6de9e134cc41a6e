#pragma once
// Text conversions. The engine keeps its texts in UTF-8; names on disks are
// UTF-16 (NTFS, FAT long names) or 8-bit code-page bytes; the reports are
// written in the character set of the user's locale, which stands in for the
// Windows ANSI code page.
#include <cstddef>
#include <string>

namespace platform {

// Unpaired surrogates and invalid bytes become U+FFFD.
std::string Utf16ToUtf8(const std::u16string& text);
std::u16string Utf8ToUtf16(const std::string& text);

// Number of characters (code points) of a UTF-8 text.
size_t Utf8Length(const std::string& text);
// The first `count` characters of a UTF-8 text.
std::string Utf8Prefix(const std::string& text, size_t count);

// The text in the locale's character set (setlocale(LC_ALL, "") must have run
// for the user's choice to count), cut to at most maxBytes bytes without
// splitting a character. Characters the set lacks become '?'.
std::string Utf8ToLocale(const std::string& text, size_t maxBytes);

}  // namespace platform
