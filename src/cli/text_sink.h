#pragma once

#include <concepts>
#include <string>
#include <string_view>

namespace scourix::cli {

// Where the command line's text goes: the console's handles in the program, a string in the
// tests. Not a stream: the program stays clear of the C runtime's file and locale functions.
class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void Write(std::string_view text) = 0;
  // False once a write did not reach its place whole (a full disk, a pipe closed early): the
  // text is cut short.
  [[nodiscard]] virtual bool whole() const { return true; }

  TextSink& operator<<(std::string_view text) {
    Write(text);
    return *this;
  }
  template <std::integral Number>
  requires(!std::same_as<Number, char>) TextSink& operator<<(Number number) {
    Write(std::to_string(number));
    return *this;
  }
};

class StringSink : public TextSink {
 public:
  void Write(std::string_view text) override { this->text += text; }
  std::string text;
};

}  // namespace scourix::cli
