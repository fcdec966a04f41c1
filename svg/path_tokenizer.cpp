#include "svg/path_tokenizer.h"

#include "svg/number_conversion.h"
#include "svg/svg_exception.h"

#include <cstring>

namespace agg::svg {

namespace {
const char separators[] = " ,\t\n\r";
const char commands[] = "+-MmZzLlHhVvCcSsQqTtAaFfPp";
const char numerics[] = ".Ee0123456789";
const unsigned max_number_length = 255;
}  // namespace

path_tokenizer::path_tokenizer() {
  init_mask(m_separators_mask, separators);
  init_mask(m_commands_mask, commands);
  init_mask(m_numeric_mask, numerics);
}

void path_tokenizer::init_mask(unsigned char* mask, const char* chars) {
  std::memset(mask, 0, 256 / 8);
  for (; *chars; ++chars) {
    const unsigned char byte = static_cast<unsigned char>(*chars);
    mask[byte >> 3] |= static_cast<unsigned char>(1u << (byte & 7));
  }
}

void path_tokenizer::set_path_str(const char* str) {
  m_path = str;
  m_last_number = 0.0;
  m_last_command = 0;
}

bool path_tokenizer::next() {
  if (m_path == nullptr) return false;

  while (*m_path && !is_command(*m_path) && !is_numeric(*m_path)) {
    if (!is_separator(*m_path)) throw exception("path_tokenizer::next : Invalid Character %c", *m_path);
    ++m_path;
  }
  if (*m_path == 0) return false;

  if (is_command(*m_path) && *m_path != '-' && *m_path != '+') {
    m_last_command = *m_path++;
    while (*m_path && is_separator(*m_path)) ++m_path;
    if (*m_path == 0) return true;
  }
  parse_number();
  return true;
}

void path_tokenizer::parse_number() {
  char buffer[max_number_length + 1];
  unsigned length = 0;
  while (length < max_number_length && (*m_path == '-' || *m_path == '+')) buffer[length++] = *m_path++;
  while (length < max_number_length && is_numeric(*m_path)) {
    const bool exponent = *m_path == 'e' || *m_path == 'E';
    buffer[length++] = *m_path++;
    // The exponent's own sign belongs to this number ("1e-5"), unlike any
    // other sign, which starts the next number ("10-20").
    if (exponent && length < max_number_length && (*m_path == '-' || *m_path == '+')) buffer[length++] = *m_path++;
  }
  buffer[length] = 0;
  m_last_number = string_to_double(buffer);
}

double path_tokenizer::next_arg(char expected) {
  if (!next()) throw exception("parse_path: Unexpected end of path");
  if (m_last_command != expected) throw exception("parse_path: Command %c: bad or missing parameters", expected);
  return m_last_number;
}

}  // namespace agg::svg
