#include "platform/text_codec.h"

#include <cerrno>
#include <iconv.h>
#include <langinfo.h>
#include <strings.h>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 character at text[i]; advances i past it.
char32_t NextUtf8(const std::string& text, size_t& i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i++);
    if (lead < 0x80) return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4) return kReplacement;
    char32_t code = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80) return kReplacement;
        code = (code << 6) | (byte(i++) & 0x3F);
    }
    return code;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code >= 0xD800 && code <= 0xDFFF) code = kReplacement;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool LocaleIsUtf8() {
    const char* set = nl_langinfo(CODESET);
    return strcasecmp(set, "UTF-8") == 0 || strcasecmp(set, "utf8") == 0;
}

}  // namespace

std::string Utf16ToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00);
        }
        AppendUtf8(out, unit);
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        char32_t code = NextUtf8(text, i);
        if (code >= 0x10000) {
            code -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (code >> 10));
            out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

size_t Utf8Length(const std::string& text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++count) NextUtf8(text, i);
    return count;
}

std::string Utf8Prefix(const std::string& text, size_t count) {
    size_t i = 0;
    for (size_t n = 0; n < count && i < text.size(); ++n) NextUtf8(text, i);
    return text.substr(0, i);
}

std::string Utf8ToLocale(const std::string& text, size_t maxBytes) {
    bool utf8 = LocaleIsUtf8();
    iconv_t cd = utf8 ? reinterpret_cast<iconv_t>(-1) : iconv_open(nl_langinfo(CODESET), "UTF-8");
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t start = i;
        char32_t code = NextUtf8(text, i);
        std::string piece;
        if (utf8) {
            AppendUtf8(piece, code);
        } else if (cd != reinterpret_cast<iconv_t>(-1)) {
            std::string in;
            AppendUtf8(in, code);
            char buffer[16];
            char* src = in.data();
            size_t srcLeft = in.size();
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1))
                piece = "?";
            else
                piece.assign(buffer, dst);
        } else {
            piece = code < 0x80 ? text.substr(start, 1) : "?";
        }
        if (out.size() + piece.size() > maxBytes) break;
        out += piece;
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return out;
}

}  // namespace platform
