#include "text/escape.hpp"

#include <cstdio>

namespace pipecorr::hostkit {
namespace {

void append_hex_byte(std::string& out, unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "\\x%02X", static_cast<unsigned>(byte));
  out += text;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

}  // namespace

Utf8Sequence utf8_sequence(std::string_view text) {
  if (text.empty()) return {};
  const auto byte = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]);
  };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {1, lead};
  std::size_t length = 0;
  char32_t code = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1FU, least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0FU, least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07U, least = 0x10000;
  } else {
    return {};
  }
  if (text.size() < length) return {};
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0U) != 0x80U) return {};
    code = (code << 6) | (byte(i) & 0x3FU);
  }
  // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not
  // well-formed.
  if (code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
    return {};
  }
  return {length, code};
}

std::string for_terminal(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Sequence seq = utf8_sequence(text);
    const bool control =
        seq.length != 0 && (seq.code_point < 0x20 || seq.code_point == 0x7F ||
                            (seq.code_point >= 0x80 && seq.code_point < 0xA0));
    if (seq.length == 0 || control) {
      // A C1 control is two bytes in UTF-8; both are shown.
      const std::size_t shown = seq.length == 0 ? 1 : seq.length;
      for (std::size_t i = 0; i < shown; ++i) {
        append_hex_byte(out, static_cast<unsigned char>(text[i]));
      }
      text.remove_prefix(shown);
      continue;
    }
    out.append(text.substr(0, seq.length));
    text.remove_prefix(seq.length);
  }
  return out;
}

std::string xml_text(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Sequence seq = utf8_sequence(text);
    if (seq.length == 0) {
      out += kReplacement;
      text.remove_prefix(1);
      continue;
    }
    const char32_t c = seq.code_point;
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      default:
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0xFFFE ||
            c == 0xFFFF) {
          out += ' ';
        } else {
          out.append(text.substr(0, seq.length));
        }
    }
    text.remove_prefix(seq.length);
  }
  return out;
}

std::string json_string(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out = "\"";
  while (!text.empty()) {
    const Utf8Sequence seq = utf8_sequence(text);
    const std::size_t taken = seq.length == 0 ? 1 : seq.length;
    const auto first = static_cast<unsigned char>(text.front());
    if (seq.length == 0 || seq.code_point < 0x20 || seq.code_point == 0x7F) {
      out += "\\u00";
      out += kHex[first >> 4];
      out += kHex[first & 15];
    } else {
      if (first == '"' || first == '\\') out += '\\';
      out.append(text.substr(0, taken));
    }
    text.remove_prefix(taken);
  }
  return out + "\"";
}

}  // namespace pipecorr::hostkit
