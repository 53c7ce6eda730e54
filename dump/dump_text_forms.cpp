#include "dump/dump_text_forms.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "model/text.h"

namespace tracciato::dump {

namespace {

std::optional<unsigned char> byte_of(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
  for (unsigned b = 0x80; b < 0xA0; ++b)
    if (code_point_1252(static_cast<unsigned char>(b)) == c) return static_cast<unsigned char>(b);
  return std::nullopt;
}

}  // namespace

std::string utf8_from_cp1252(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) append_utf8(out, code_point_1252(static_cast<unsigned char>(ch)));
  return out;
}

std::optional<std::string> cp1252_from_utf8(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    // Every character of the code page takes at most three bytes in UTF-8.
    const std::size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
    if (n == 0 || utf8.size() - i < n) return std::nullopt;
    char32_t c = n == 1 ? lead : n == 2 ? (lead & 0x1F) : (lead & 0x0F);
    for (std::size_t k = 1; k < n; ++k) {
      const auto cont = static_cast<unsigned char>(utf8[i + k]);
      if ((cont & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (cont & 0x3F);
    }
    if ((n == 2 && c < 0x80) || (n == 3 && c < 0x800)) return std::nullopt;  // overlong
    const auto b = byte_of(c);
    if (!b) return std::nullopt;
    out.push_back(static_cast<char>(*b));
    i += n;
  }
  return out;
}

namespace {

std::string escape(std::string_view bytes, bool quote) {
  std::string out;
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if ((quote && b == '"') || b == '\\') {
      out.push_back('\\');
      out.push_back(ch);
    } else if (b < 0x20 || b == 0x7F || !assigned_1252(b)) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      out += hex;
    } else {
      append_utf8(out, code_point_1252(b));
    }
  }
  return out;
}

}  // namespace

std::string escaped(std::string_view bytes) { return escape(bytes, false); }

std::string quoted(std::string_view bytes) { return "\"" + escape(bytes, true) + "\""; }

std::string double_text(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, r.ptr);
}

const char* value_kind(const PlanValue& v) {
  switch (v.kind) {
    case PlanValue::Kind::Empty: return "Empty";
    case PlanValue::Kind::Integer: return "Integer";
    case PlanValue::Kind::Double: return "Double";
  }
  return "Empty";
}

std::string value_text(const PlanValue& v) {
  switch (v.kind) {
    case PlanValue::Kind::Empty: return "";
    case PlanValue::Kind::Integer: return std::to_string(v.integer);
    case PlanValue::Kind::Double: return double_text(v.real);
  }
  return "";
}

std::optional<std::string> clock_text(std::int64_t seconds) {
  if (seconds < 0) return std::nullopt;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02lld:%02lld:%02lld",
                static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60),
                static_cast<long long>(seconds % 60));
  return std::string(buffer);
}

}  // namespace tracciato::dump
