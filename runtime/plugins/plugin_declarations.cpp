// Parsing plug-in member declarations: the text is split into words and punctuation, then read in the one
// shape a declaration has.
#include "plugins/plugin_declarations.h"

#include "objects/class_object.h"

namespace ql {

namespace {

bool name_start(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool name_part(char c) { return name_start(c) || (c >= '0' && c <= '9'); }

struct Token {
  enum Kind { kWord, kOpen, kClose, kComma, kEnd, kBad } kind;
  std::string_view text;
};

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) { advance(); }

  const Token& peek() const { return current_; }
  Token take() {
    Token t = current_;
    advance();
    return t;
  }
  bool take_if(Token::Kind kind) {
    if (current_.kind != kind) return false;
    advance();
    return true;
  }
  bool take_word(std::string_view keyword) {
    if (current_.kind != Token::kWord || !names_equal(current_.text, keyword)) return false;
    advance();
    return true;
  }

 private:
  void advance() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
    if (at_ == text_.size()) {
      current_ = {Token::kEnd, {}};
      return;
    }
    char c = text_[at_];
    size_t start = at_++;
    if (c == '(') {
      current_ = {Token::kOpen, text_.substr(start, 1)};
    } else if (c == ')') {
      current_ = {Token::kClose, text_.substr(start, 1)};
    } else if (c == ',') {
      current_ = {Token::kComma, text_.substr(start, 1)};
    } else if (name_start(c)) {
      while (at_ < text_.size() && name_part(text_[at_])) ++at_;
      current_ = {Token::kWord, text_.substr(start, at_ - start)};
    } else {
      current_ = {Token::kBad, text_.substr(start, 1)};
    }
  }

  std::string_view text_;
  size_t at_ = 0;
  Token current_{Token::kEnd, {}};
};

bool keyword(std::string_view word) {
  return names_equal(word, "As") || names_equal(word, "ByVal") || names_equal(word, "ByRef");
}

// A name that is not one of the declaration's own words.
std::optional<std::string> name(Reader& in) {
  if (in.peek().kind != Token::kWord || keyword(in.peek().text)) return std::nullopt;
  return std::string(in.take().text);
}

// "As" and a known type.
std::optional<std::string> typed(Reader& in, const TypeCheck& known_type) {
  if (!in.take_word("As")) return std::nullopt;
  std::optional<std::string> type = name(in);
  if (!type || !known_type(*type)) return std::nullopt;
  return type;
}

std::optional<DeclaredParameter> parameter(Reader& in, const TypeCheck& known_type) {
  DeclaredParameter out;
  if (in.take_word("ByRef")) {
    out.by_reference = true;
  } else {
    in.take_word("ByVal");
  }
  std::optional<std::string> parameter_name = name(in);
  if (!parameter_name) return std::nullopt;
  std::optional<std::string> type = typed(in, known_type);
  if (!type) return std::nullopt;
  out.name = std::move(*parameter_name);
  out.type = std::move(*type);
  return out;
}

}  // namespace

bool builtin_type_name(std::string_view name) {
  static constexpr std::string_view kNames[] = {"Integer", "String", "Boolean", "Single", "Double", "Color"};
  for (std::string_view known : kNames) {
    if (names_equal(known, name)) return true;
  }
  return false;
}

std::optional<Declaration> parse_declaration(std::string_view text, const TypeCheck& known_type) {
  Reader in(text);
  Declaration out;
  std::optional<std::string> member = name(in);
  if (!member) return std::nullopt;
  out.name = std::move(*member);
  if (in.take_if(Token::kOpen)) {
    if (!in.take_if(Token::kClose)) {
      do {
        std::optional<DeclaredParameter> p = parameter(in, known_type);
        if (!p) return std::nullopt;
        out.parameters.push_back(std::move(*p));
      } while (in.take_if(Token::kComma));
      if (!in.take_if(Token::kClose)) return std::nullopt;
    }
  }
  if (in.peek().kind == Token::kWord) {
    std::optional<std::string> result = typed(in, known_type);
    if (!result) return std::nullopt;
    out.result = std::move(*result);
  }
  if (in.peek().kind != Token::kEnd) return std::nullopt;
  return out;
}

std::string parameter_text(const Declaration& declaration) {
  std::string text;
  for (const DeclaredParameter& p : declaration.parameters) {
    if (!text.empty()) text += ", ";
    if (p.by_reference) text += "ByRef ";
    text += p.name + " As " + p.type;
  }
  return text;
}

}  // namespace ql
