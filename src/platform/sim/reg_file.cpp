#include "platform/sim/reg_file.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/registry_roots.h"

namespace scourix::sim {
namespace {

constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kVersion4 = "REGEDIT4";

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16LE bytes to UTF-8; an odd last byte is dropped, a lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    std::uint32_t unit =
        static_cast<unsigned char>(bytes[i]) |
        (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      std::uint32_t low =
          static_cast<unsigned char>(bytes[i + 2]) |
          (static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 3])) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
  }
  return out;
}

// UTF-8 to UTF-16LE bytes; a malformed byte stands for itself.
std::string Utf8ToUtf16(std::string_view text) {
  std::string out;
  auto unit = [&out](std::uint32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  for (std::size_t i = 0; i < text.size();) {
    auto c = static_cast<unsigned char>(text[i]);
    std::size_t len = c < 0x80         ? 1
                      : (c >> 5) == 6  ? 2
                      : (c >> 4) == 14 ? 3
                      : (c >> 3) == 30 ? 4
                                       : 0;
    if (len == 0 || i + len > text.size()) {
      unit(c);
      ++i;
      continue;
    }
    std::uint32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp);
    }
    i += len;
  }
  return out;
}

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string out;
  for (char c : bytes)
    AppendUtf8(out, static_cast<unsigned char>(c));
  return out;
}

bool IsStringType(std::uint32_t type) {
  return type == platform::kRegSz || type == platform::kRegExpandSz ||
         type == platform::kRegMultiSz;
}

// The whole text as UTF-8, whatever its encoding mark.
std::string DecodeText(std::string_view text) {
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
      static_cast<unsigned char>(text[1]) == 0xFE) {
    return Utf16ToUtf8(text.substr(2));
  }
  if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
    return std::string(text.substr(3));
  return std::string(text);
}

struct LogicalLine {
  std::size_t number = 0;
  std::string text;
};

// Lines with their continuations ("\" at the end) joined, and their line numbers.
std::vector<LogicalLine> SplitLines(std::string_view text) {
  std::vector<LogicalLine> lines;
  std::size_t number = 0;
  bool continuing = false;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos)
      end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    ++number;
    if (continuing) {
      std::size_t first = line.find_first_not_of(" \t");
      line = first == std::string_view::npos ? std::string_view() : line.substr(first);
      lines.back().text += line;
    } else {
      lines.push_back({number, std::string(line)});
    }
    continuing = !lines.back().text.empty() && lines.back().text.back() == '\\' &&
                 lines.back().text.find('=') != std::string::npos;
    if (continuing)
      lines.back().text.pop_back();
    start = end + 1;
  }
  return lines;
}

// A quoted string from pos (at the opening quote), with \" and \\ unescaped; pos moves past
// the closing quote.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t* pos) {
  if (*pos >= line.size() || line[*pos] != '"')
    return std::nullopt;
  std::string out;
  for (std::size_t i = *pos + 1; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      out += line[++i];
    } else if (line[i] == '"') {
      *pos = i + 1;
      return out;
    } else {
      out += line[i];
    }
  }
  return std::nullopt;
}

// The value of one hexadecimal digit, or -1.
int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

// One to eight hexadecimal digits, as a dword's data or a hex(type) is written.
std::optional<std::uint32_t> ReadHexNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 8)
    return std::nullopt;
  std::uint32_t number = 0;
  for (char c : digits) {
    int d = HexDigit(c);
    if (d < 0)
      return std::nullopt;
    number = number * 16 + static_cast<std::uint32_t>(d);
  }
  return number;
}

std::optional<std::string> ReadHexBytes(std::string_view list) {
  std::string bytes;
  std::size_t i = 0;
  while (i < list.size()) {
    while (i < list.size() && (list[i] == ' ' || list[i] == '\t'))
      ++i;
    if (i >= list.size())
      break;
    int high = HexDigit(list[i]);
    int low = i + 1 < list.size() ? HexDigit(list[i + 1]) : -1;
    if (high < 0)
      return std::nullopt;
    if (low < 0) {  // a single digit
      bytes += static_cast<char>(high);
      i += 1;
    } else {
      bytes += static_cast<char>(high * 16 + low);
      i += 2;
    }
    while (i < list.size() && (list[i] == ' ' || list[i] == '\t'))
      ++i;
    if (i < list.size()) {
      if (list[i] != ',')
        return std::nullopt;
      ++i;
    }
  }
  return bytes;
}

struct ParsedData {
  bool remove = false;
  std::uint32_t type = 0;
  std::string bytes;
};

std::optional<ParsedData> ReadData(std::string_view data, bool version5) {
  std::size_t first = data.find_first_not_of(" \t");
  data = first == std::string_view::npos ? std::string_view() : data.substr(first);
  while (!data.empty() && (data.back() == ' ' || data.back() == '\t'))
    data.remove_suffix(1);
  ParsedData parsed;
  if (data == "-") {
    parsed.remove = true;
    return parsed;
  }
  if (!data.empty() && data.front() == '"') {
    std::size_t pos = 0;
    std::optional<std::string> text = ReadQuoted(data, &pos);
    if (!text || pos != data.size())
      return std::nullopt;
    parsed.type = platform::kRegSz;
    parsed.bytes = *text + '\0';
    return parsed;
  }
  if (data.substr(0, 6) == "dword:") {
    std::optional<std::uint32_t> number = ReadHexNumber(data.substr(6));
    if (!number)
      return std::nullopt;
    parsed.type = platform::kRegDword;
    for (int i = 0; i < 4; ++i)
      parsed.bytes += static_cast<char>((*number >> (8 * i)) & 0xFF);
    return parsed;
  }
  std::string_view list;
  if (data.substr(0, 4) == "hex:") {
    parsed.type = platform::kRegBinary;
    list = data.substr(4);
  } else if (data.substr(0, 4) == "hex(") {
    std::size_t close = data.find("):", 4);
    if (close == std::string_view::npos)
      return std::nullopt;
    std::optional<std::uint32_t> type = ReadHexNumber(data.substr(4, close - 4));
    if (!type)
      return std::nullopt;
    parsed.type = *type;
    list = data.substr(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::string> bytes = ReadHexBytes(list);
  if (!bytes)
    return std::nullopt;
  // String types hold UTF-16 in version 5 and ANSI bytes in version 4; here they hold UTF-8.
  parsed.bytes = !IsStringType(parsed.type) ? *bytes
                 : version5                 ? Utf16ToUtf8(*bytes)
                                            : Latin1ToUtf8(*bytes);
  return parsed;
}

bool Fail(RegFileError* error, std::size_t line, std::string message) {
  if (error != nullptr)
    *error = RegFileError{line, std::move(message)};
  return false;
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      out += '\\';
    out += c;
  }
  return out + '"';
}

std::string HexList(std::string_view prefix, std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out(prefix);
  std::size_t width = out.size();
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto b = static_cast<unsigned char>(bytes[i]);
    std::string pair{kDigits[b >> 4], kDigits[b & 15]};
    if (i + 1 < bytes.size())
      pair += ',';
    if (width + pair.size() > 78 && i + 1 < bytes.size()) {
      out += "\\\r\n  ";
      width = 2;
    }
    out += pair;
    width += pair.size();
  }
  return out;
}

void SaveKey(const SimRegKey& key, std::string& out) {
  out += "[" + key.path + "]\r\n";
  for (const SimRegValue& value : key.values) {
    std::string line = value.name.empty() ? "@=" : Quote(value.name) + "=";
    bool plain_string = value.type == platform::kRegSz && !value.data.empty() &&
                        value.data.find('\0') == value.data.size() - 1;
    if (plain_string) {
      line += Quote(std::string_view(value.data).substr(0, value.data.size() - 1));
    } else if (value.type == platform::kRegDword && value.data.size() == 4) {
      std::uint32_t number = 0;
      for (int i = 3; i >= 0; --i)
        number = (number << 8) | static_cast<unsigned char>(value.data[i]);
      char digits[9];
      std::snprintf(digits, sizeof digits, "%08x", number);
      line += "dword:";
      line += digits;
    } else if (value.type == platform::kRegBinary) {
      line += "hex:";
      line = HexList(line, value.data);
    } else {
      std::ostringstream prefix;
      prefix << line << "hex(" << std::hex << value.type << "):";
      line = HexList(prefix.str(), IsStringType(value.type) ? Utf8ToUtf16(value.data) : value.data);
    }
    out += line;
    out += "\r\n";
  }
  out += "\r\n";
  for (const auto& [folded, sub] : key.subkeys)
    SaveKey(*sub, out);
}

}  // namespace

bool LoadRegText(SimRegistry& registry, std::string_view raw, RegFileError* error) {
  std::string text = DecodeText(raw);
  std::vector<LogicalLine> lines = SplitLines(text);
  if (lines.empty())
    return Fail(error, 0, "empty file");
  bool version5 = lines.front().text == kVersion5;
  if (!version5 && lines.front().text != kVersion4)
    return Fail(error, 0, "not a registry file");
  std::optional<std::string> key;  // the current key, or none after a removal
  for (std::size_t n = 1; n < lines.size(); ++n) {
    const std::string& line = lines[n].text;
    std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == ';')
      continue;
    std::string_view body = std::string_view(line).substr(first);
    if (body.front() == '[') {
      std::size_t close = body.rfind(']');
      if (close == std::string_view::npos || close < 2)
        return Fail(error, lines[n].number, "bad key");
      bool remove = body[1] == '-';
      std::string_view path = body.substr(remove ? 2 : 1, close - (remove ? 2 : 1));
      if (!platform::SplitRootedPath(path))
        return Fail(error, lines[n].number, "unknown root");
      if (remove) {
        registry.RemoveTree(path);
        key.reset();
      } else {
        registry.AddKey(path);
        key = std::string(path);
      }
      continue;
    }
    std::string name;
    std::size_t pos = 0;
    if (body.front() == '@') {
      pos = 1;
    } else {
      std::optional<std::string> quoted = ReadQuoted(body, &pos);
      if (!quoted)
        return Fail(error, lines[n].number, "bad value name");
      name = std::move(*quoted);
    }
    while (pos < body.size() && (body[pos] == ' ' || body[pos] == '\t'))
      ++pos;
    if (pos >= body.size() || body[pos] != '=')
      return Fail(error, lines[n].number, "no '='");
    std::optional<ParsedData> data = ReadData(body.substr(pos + 1), version5);
    if (!data)
      return Fail(error, lines[n].number, "bad value data");
    if (!key)
      continue;  // values of a removed key
    if (data->remove) {
      registry.RemoveValue(*key, name);
    } else {
      registry.SetValueBytes(*key, name, data->type, data->bytes);
    }
  }
  return true;
}

bool LoadRegFile(SimRegistry& registry, const std::string& host_path, RegFileError* error) {
  std::ifstream file(host_path, std::ios::binary);
  if (!file)
    return Fail(error, 0, "cannot read " + host_path);
  std::ostringstream content;
  content << file.rdbuf();
  return LoadRegText(registry, content.str(), error);
}

std::string SaveRegText(const SimRegistry& registry, std::string_view path) {
  std::string out = std::string(kVersion5) + "\r\n\r\n";
  if (const SimRegKey* key = registry.FindKey(path))
    SaveKey(*key, out);
  return out;
}

}  // namespace scourix::sim
