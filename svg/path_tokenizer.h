#pragma once

namespace agg::svg {

// Splits SVG path data and point lists into command letters and numbers.
// The tokenizer does not own the text; it must outlive the reading.
class path_tokenizer {
 public:
  path_tokenizer();

  void set_path_str(const char* str);

  // Reads one token.  A command letter is always followed by a number read
  // (nothing consumed and 0 when none follows).  False at the end of the
  // text or when no text was set.
  bool next();

  // The next argument of the command `expected`; throws when the text ends
  // or a new command letter comes instead.
  double next_arg(char expected);

  double last_number() const { return m_last_number; }
  char last_command() const { return m_last_command; }

 private:
  bool is_separator(char c) const { return contains(m_separators_mask, c); }
  bool is_command(char c) const { return contains(m_commands_mask, c); }
  bool is_numeric(char c) const { return contains(m_numeric_mask, c); }

  static void init_mask(unsigned char* mask, const char* chars);
  static bool contains(const unsigned char* mask, char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return (mask[byte >> 3] & (1u << (byte & 7))) != 0;
  }

  void parse_number();

  unsigned char m_separators_mask[256 / 8];
  unsigned char m_commands_mask[256 / 8];
  unsigned char m_numeric_mask[256 / 8];

  const char* m_path = nullptr;
  double m_last_number = 0.0;
  char m_last_command = 0;
};

}  // namespace agg::svg
