// The JSON writer. Text is passed through where it is valid UTF-8; any other byte is written
// as the character of the same number, so the line is always valid JSON.
#include "json.hpp"

#include <cmath>
#include <cstdio>

namespace wh::sim {

namespace {

// Length of the valid UTF-8 sequence starting at s[i], or 0 when it is not one.
size_t utf8Length(std::string_view s, size_t i) {
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    uint32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        cp = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        cp = lead & 0x07u;
    } else {
        return 0;
    }
    if (i + n > s.size()) {
        return 0;
    }
    for (size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0u) != 0x80u) {
            return 0;
        }
        cp = (cp << 6) | (c & 0x3Fu);
    }
    const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF) {
        return 0;
    }
    return n;
}

void appendEscaped(std::string& out, unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
    out += buf;
}

} // namespace

void JsonWriter::beforeValue() {
    if (needComma_) {
        out_ += ',';
    }
    needComma_ = true;
}

void JsonWriter::beginObject() {
    beforeValue();
    out_ += '{';
    needComma_ = false;
}

void JsonWriter::endObject() {
    out_ += '}';
    needComma_ = true;
}

void JsonWriter::beginArray() {
    beforeValue();
    out_ += '[';
    needComma_ = false;
}

void JsonWriter::endArray() {
    out_ += ']';
    needComma_ = true;
}

void JsonWriter::key(std::string_view name) {
    string(name);
    out_ += ':';
    needComma_ = false;
}

void JsonWriter::integer(int64_t v) {
    beforeValue();
    out_ += std::to_string(v);
}

void JsonWriter::real(double v, int significantDigits) {
    beforeValue();
    if (!std::isfinite(v)) {
        out_ += "null";
        return;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*g", significantDigits, v);
    out_ += buf;
}

void JsonWriter::boolean(bool v) {
    beforeValue();
    out_ += v ? "true" : "false";
}

void JsonWriter::string(std::string_view s) {
    beforeValue();
    out_ += '"';
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out_ += '\\';
            out_ += static_cast<char>(c);
            ++i;
        } else if (c < 0x20 || c == 0x7F) {
            appendEscaped(out_, c);
            ++i;
        } else if (c < 0x80) {
            out_ += static_cast<char>(c);
            ++i;
        } else if (const size_t n = utf8Length(s, i); n != 0) {
            out_.append(s.substr(i, n));
            i += n;
        } else {
            appendEscaped(out_, c);
            ++i;
        }
    }
    out_ += '"';
}

} // namespace wh::sim
