// The cipher that turns the player's anonymous id into the letters sent to
// the maker's server: a 256-bit key, 16-bit arithmetic, each input byte
// written as two letters 'a'..'p' (its high and low nibble).  The server
// knows the key (a day count), so the id is scrambled, not secret; what
// matters here is that the output is letters only, safe in a query string.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class RequestCipher {
 public:
  // The first min(size, 32) key bytes replace the start of the built-in key.
  explicit RequestCipher(std::string_view key);

  // Two letters 'a'..'p' per byte of `plain`.  Every call starts from the
  // key as set up and leaves no working state behind, so equal inputs give
  // equal outputs.
  std::string Encipher(std::string_view plain);

 private:
  void Code();
  void Assemble();
  void ClearState();

  std::array<std::uint8_t, 32> keySetUp_{};
  std::array<std::uint8_t, 32> cle_{};
  std::array<std::uint16_t, 16> x1a0_{};
  std::uint16_t si_ = 0;
  std::uint16_t x1a2_ = 0;
  std::uint16_t i_ = 0;
  std::uint16_t res_ = 0;
  std::uint16_t inter_ = 0;
};
