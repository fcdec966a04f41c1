#include "app/web/RequestCipher.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr char kBuiltInKey[] = "qmzwxrtplkvbnhjgfdsyceuaoi583029";
static_assert(sizeof(kBuiltInKey) == 33);

// Every product is cut to 16 bits, as the cipher's registers are.
std::uint16_t Mul(std::uint16_t a, std::uint16_t b) { return static_cast<std::uint16_t>(unsigned{a} * unsigned{b}); }
std::uint16_t Add(std::uint16_t a, std::uint16_t b) { return static_cast<std::uint16_t>(unsigned{a} + unsigned{b}); }

}  // namespace

RequestCipher::RequestCipher(std::string_view key) {
  std::memcpy(keySetUp_.data(), kBuiltInKey, keySetUp_.size());
  const std::size_t used = std::min(key.size(), keySetUp_.size());
  std::memcpy(keySetUp_.data(), key.data(), used);
}

void RequestCipher::Code() {
  std::uint16_t dx = Add(x1a2_, i_);
  std::uint16_t ax = x1a0_[i_];
  std::uint16_t cx = 346;
  const std::uint16_t bx = 20021;
  std::swap(ax, si_);
  std::swap(ax, dx);
  if (ax != 0) ax = Mul(ax, bx);
  std::swap(ax, cx);
  if (ax != 0) {
    ax = Mul(ax, si_);
    cx = Add(cx, ax);
  }
  std::swap(ax, si_);
  ax = Mul(ax, bx);
  dx = Add(dx, cx);
  ax = Add(ax, 1);
  x1a2_ = dx;
  x1a0_[i_] = ax;
  res_ = ax ^ dx;
  ++i_;
}

void RequestCipher::Assemble() {
  x1a0_[0] = static_cast<std::uint16_t>(cle_[0] << 8 | cle_[1]);
  Code();
  inter_ = res_;
  for (int k = 1; k < 16; ++k) {
    x1a0_[k] = static_cast<std::uint16_t>(x1a0_[k - 1] ^ (cle_[2 * k] << 8 | cle_[2 * k + 1]));
    Code();
    inter_ ^= res_;
  }
  i_ = 0;
}

void RequestCipher::ClearState() {
  cle_.fill(0);
  x1a0_.fill(0);
  si_ = x1a2_ = i_ = res_ = inter_ = 0;
}

std::string RequestCipher::Encipher(std::string_view plain) {
  ClearState();
  cle_ = keySetUp_;
  std::string letters;
  letters.reserve(plain.size() * 2);
  for (const char byte : plain) {
    auto c = static_cast<std::uint8_t>(byte);
    Assemble();
    for (std::uint8_t& k : cle_) k ^= c;
    c = static_cast<std::uint8_t>(c ^ (inter_ >> 8) ^ (inter_ & 255));
    letters.push_back(static_cast<char>('a' + (c >> 4)));
    letters.push_back(static_cast<char>('a' + (c & 15)));
  }
  ClearState();
  return letters;
}
