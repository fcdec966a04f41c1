#pragma once

#include <agg_basics.h>

namespace agg::svg {

// A pass-through vertex source that counts the vertices drawn through it, so
// a renderer can tell how much geometry one render produced.
template <class VertexSource>
class conv_count {
 public:
  explicit conv_count(VertexSource& source) : m_source(&source) {}

  void count(unsigned n) { m_count = n; }
  unsigned count() const { return m_count; }

  void rewind(unsigned path_id) { m_source->rewind(path_id); }

  unsigned vertex(double* x, double* y) {
    ++m_count;
    return m_source->vertex(x, y);
  }

 private:
  VertexSource* m_source;
  unsigned m_count = 0;
};

}  // namespace agg::svg
