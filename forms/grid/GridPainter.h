#pragma once
// The grid view's size and paint strategy, also used for the small grid
// previews of the puzzle chooser. A size event lays the cells out
// (GridGeometry.h), reports the layout to the keypads (GridLayoutReport.h)
// and renders the images a paint only blends: the small candidate digits,
// drawn with a stroked vector font, and the large values, rendered from the
// drawings of "titular_digits.dat" in three colourings. A paint draws six
// layers: background with box shading and lines, same-digit highlighting,
// the hint, the selection or guide strips, the cell contents and the guide
// marks.

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "forms/grid/GridGeometry.h"
#include "forms/grid/GridLayoutReport.h"
#include "game/grid/GridCell.h"
#include "game/grid/GridModel.h"
#include "game/grid/GridSymbols.h"
#include "notus/impl/payloads.h"
#include "notus/platform/ownerdrawWin32/CBitmap.h"
#include "notus/platform/ownerdrawWin32/device.h"
#include "notus/platform/ownerdrawWin32/device_colour.h"
#include "notus/platform/ownerdrawWin32/virtual_window_impl.h"
#include "notus/strategy.h"
#include "notus/traits.h"

class TiXmlDocument;
class TiXmlElement;

namespace grid {

using Bitmap = notus::traits::CBitmap;
using Colour = COLORREF;

// Draws text with the stroked vector font, height pixels high (width
// proportional), its baseline starting at (x, y) of the image, anti-aliased
// in the solid colour.
void DrawGsvText(const std::string& text, double x, double y, Colour colour, double height, Bitmap& target);

// Reads "titular_digits.dat" from the resources folder into document and
// returns the drawing of the first value: the first glyph of the digits, or
// in letter mode the tenth (the 'A'); null when the file is missing or
// holds too few glyphs for S values from there.
const TiXmlElement* FindDigitGlyphs(TiXmlDocument& document, bool digitMode, unsigned S);
// The drawing after glyph (the next value's).
const TiXmlElement* NextDigitGlyph(const TiXmlElement* glyph);
// Renders one value drawing into image (made cw x ch, transparent), centred
// and scaled to the cell; fill, when given, recolours the drawing.
void RenderDigitGlyph(const TiXmlElement& glyph, const char* fill, int cw, int ch, Bitmap& image);

// The painter's colours, as COLORREF (red in the low byte).
namespace colours {
inline constexpr Colour background = RGB(0xEB, 0xEB, 0xFF);
inline constexpr Colour shadedBox = RGB(0xD8, 0xD8, 0xFF);
inline constexpr Colour line = RGB(0, 0, 0);
inline constexpr Colour guideMark = RGB(0xFF, 0, 0);
inline constexpr Colour clueDigitCell = RGB(0xC8, 0xC8, 0xC8);
inline constexpr Colour freeCell = RGB(0xC3, 0xF6, 0xC7);
inline constexpr Colour selectionFocused = RGB(0xFF, 0, 0);
inline constexpr Colour selectionUnfocused = RGB(0xFF, 0xC8, 0xC8);
inline constexpr Colour guideStrip = RGB(0, 0, 0);
inline constexpr unsigned char guideStripAlpha = 50;
inline constexpr Colour candidate = RGB(0, 0, 0);
inline constexpr Colour hintedCandidateEffect = RGB(0xFF, 0, 0);
inline constexpr Colour hintedCandidateCause = RGB(0, 0xC8, 0);
inline constexpr Colour hintCellEffect = RGB(0xFF, 0xE0, 0xEF);
inline constexpr Colour hintCellCause = RGB(0xFF, 0xFD, 0xE6);
inline constexpr Colour hintFrameEffect = RGB(0xFF, 0x62, 0x62);
inline constexpr Colour hintFrameCause = RGB(0xFF, 0xFF, 0);
}  // namespace colours

// Fill colours of the player's values and of wrong values.
inline constexpr const char* kUserValueFill = "#488ecf";
inline constexpr const char* kWrongValueFill = "#c71414";

template <unsigned N>
class grid_main_strategy : public notus::handle_event<notus::impl::ev_size>,
                           public notus::handle_event<notus::impl::ev_paint> {
 public:
  static constexpr int S = GridGeometry<N>::S;
  static constexpr int L = GridGeometry<N>::L;
  using Model = GridModel<N>;
  using Device = notus::gdi::device<notus::traits>;

  // The image sets, each indexed by 0-based value.
  enum ImageSet { kCandidates, kEffectCandidates, kCauseCandidates, kGivenValues, kUserValues, kWrongValues };

  grid_main_strategy() : m_cells(S * S), m_rowLine(S + 1), m_colLine(S + 1), m_images(6, std::vector<Bitmap>(S)) {}

  template <class View>
  bool on_size(notus::impl::ev_size& e, View& v) {
    Model& model = v.model();
    Resize(e.width, e.height, model.gridSymbols == 0);
    using ops = typename View::display_type::impl_type;
    ReportGridLayout(ops::rect(v.display().handle()), model.layoutCallback);
    return true;
  }

  template <class View>
  bool on_paint(notus::impl::ev_paint& p, View& v) {
    using ops = typename View::display_type::impl_type;
    const auto& h = v.display().handle();
    const auto size = ops::size(h);
    auto dev = Device::create_for_dc(p.dc, p.back_buffer, p.origin_x, p.origin_y);
    Paint(*dev, v.model(), size.width, size.height, ops::has_focus(h));
    return true;
  }

  // The layout and images for a view of width x height: what a size event
  // does before it reports the layout.
  void Resize(int width, int height, bool digitMode) {
    m_width = width;
    m_height = height;
    m_cw = static_cast<double>(width - L) / S;
    m_ch = static_cast<double>(height - L) / S;
    LayoutCells<N>(m_cw, m_ch, m_rowLine, m_colLine, m_cells);
    BuildCandidateImages(digitMode);
    BuildDigitImages(digitMode, static_cast<int>(m_cw), static_cast<int>(m_ch));
  }

  void Paint(Device& dev, const Model& model, int width, int height, bool focused) {
    PaintBackground(dev, model, width, height);
    PaintDigitHighlights(dev, model);
    PaintHint(dev, model);
    PaintSelection(dev, model, focused);
    PaintCellContents(dev, model);
    PaintGuideMarks(dev, model);
  }

  const std::vector<CellLayout<N>>& cells() const { return m_cells; }
  const std::vector<int>& rowLines() const { return m_rowLine; }
  const std::vector<int>& columnLines() const { return m_colLine; }
  const Bitmap& image(ImageSet set, unsigned value) const { return m_images[set][value]; }

 private:
  GridRect Own() const { return {0, 0, m_width, m_height}; }

  void BuildCandidateImages(bool digitMode) {
    const int sw = m_cells[0].x[1] - m_cells[0].x[0];
    const int sh = m_cells[0].y[1] - m_cells[0].y[0];
    static constexpr ImageSet sets[] = {kCandidates, kEffectCandidates, kCauseCandidates};
    static constexpr Colour setColours[] = {colours::candidate, colours::hintedCandidateEffect,
                                            colours::hintedCandidateCause};
    int t = sh - 2;
    int half = t / 2;
    if (sh > 16) {
      t = 14;
      half = 7;
    }
    for (int k = 0; k < 3; ++k) {
      for (int value = 0; value < S; ++value) {
        Bitmap& image = m_images[sets[k]][value];
        // A cell too small for a sub-cell keeps no image.
        image.create(sw, sh);
        if (image.empty()) continue;
        if (sh < 6) {
          image.renderer().blend_bar(1, 1, sw - 1, sh - 1, notus::gdi::agg_colour(setColours[k], 255), agg::cover_full);
        } else {
          const char symbol = digitMode ? ValueToSymbol(value) : static_cast<char>('A' + value);
          DrawGsvText(std::string(1, symbol), sw / 2.0 - half, sh / 2.0 + half, setColours[k], t, image);
        }
      }
    }
  }

  void BuildDigitImages(bool digitMode, int cw, int ch);

  void PaintBackground(Device& dev, const Model& model, int width, int height) {
    dev.fill_rect({0, 0, width - 1, height - 1}, colours::background, 255);
    if (model.gridPaintType == 1) {
      for (int b = 0; b < S; ++b)
        if ((b / static_cast<int>(N) + b % static_cast<int>(N)) % 2 == 1)
          dev.fill_rect(box_origin_rect<N>(b, Own()), colours::shadedBox, 255);
    }
    const int right = m_colLine[S];
    const int bottom = m_rowLine[S];
    for (int k = 0; k <= S; ++k) {
      const int w = GridLineWidth<N>(k);
      dev.fill_rect({0, m_rowLine[k], right, m_rowLine[k] + w - 1}, colours::line, 255);
      dev.fill_rect({m_colLine[k], 0, m_colLine[k] + w - 1, bottom}, colours::line, 255);
    }
  }

  void PaintDigitHighlights(Device& dev, const Model& model) {
    const std::uint32_t mode = model.onTabClueDigits;
    const bool sameDigit = mode == 1 || mode == 3 || mode == 4;
    const bool freeCells = mode == 2 || mode == 4;
    if (!sameDigit && !freeCells) return;
    for (int i = 0; i < S * S; ++i) {
      const GridCell<N>& cell = model.cells[i];
      if (sameDigit && cell.marks == kShowsValueMark)
        dev.fill_rect(m_cells[i].rect, colours::clueDigitCell, 255);
      else if (freeCells && cell.marks == kUnrelatedMark && cell.given == 0 && !cell.HasUserValue())
        dev.fill_rect(m_cells[i].rect, colours::freeCell, 255);
    }
  }

  void PaintHint(Device& dev, const Model& model) {
    if (model.hint.GetPatternId() == PatternId::kNone) return;
    for (const HintItem& item : model.hint.GetItems()) {
      if (item.cell >= static_cast<std::uint32_t>(S * S)) continue;
      const bool cause = item.cause != 0;
      dev.fill_rect(m_cells[item.cell].rect, cause ? colours::hintCellCause : colours::hintCellEffect, 255);
      const int column = static_cast<int>(item.cell) % S;
      const int row = static_cast<int>(item.cell) / S;
      GridRect frame;
      if (item.kind == 1)
        frame = GridRowStripRect<N>(row, Own());
      else if (item.kind == 2)
        frame = GridColumnStripRect<N>(column, Own());
      else if (item.kind == 3)
        frame =
            box_origin_rect<N>(row / static_cast<int>(N) * static_cast<int>(N) + column / static_cast<int>(N), Own());
      else
        continue;
      dev.frame_rect(frame, 1, cause ? colours::hintFrameCause : colours::hintFrameEffect, 255);
    }
  }

  void PaintSelection(Device& dev, const Model& model, bool focused) {
    if (model.selected >= static_cast<std::uint32_t>(S * S)) return;
    const int column = static_cast<int>(model.selected) % S;
    const int row = static_cast<int>(model.selected) / S;
    if (model.showGuideLines != 0) {
      // The selected cell lies in both strips and so is darkened twice.
      dev.fill_rect(GridRowStripRect<N>(row, Own()), colours::guideStrip, colours::guideStripAlpha);
      dev.fill_rect(GridColumnStripRect<N>(column, Own()), colours::guideStrip, colours::guideStripAlpha);
    } else {
      dev.frame_rect(m_cells[model.selected].rect, 1, focused ? colours::selectionFocused : colours::selectionUnfocused,
                     255);
    }
  }

  void PaintCellContents(Device& dev, const Model& model) {
    std::bitset<Model::CellCount> wrong;
    if (model.flagMistakes != 0) wrong = model.WrongValues();
    for (int i = 0; i < S * S; ++i) {
      const GridCell<N>& cell = model.cells[i];
      const CellLayout<N>& at = m_cells[i];
      if (cell.given != 0) {
        // A corrupt solution byte draws nothing rather than reading past the set.
        if (cell.solution < S) dev.blend_bitmap(m_images[kGivenValues][cell.solution], {at.rect.left, at.rect.top});
      } else if (!cell.HasUserValue()) {
        const std::uint16_t cause = model.causeMasks[i];
        const std::uint16_t effect = model.effectMasks[i];
        for (int d = 0; d < S; ++d) {
          const std::uint16_t bit = static_cast<std::uint16_t>(1u << d);
          const Bitmap* image = nullptr;
          if (cause & bit)
            image = &m_images[kCauseCandidates][d];
          else if (effect & bit)
            image = &m_images[kEffectCandidates][d];
          else if (cell.candidates.test(d))
            image = &m_images[kCandidates][d];
          if (image != nullptr)
            dev.blend_bitmap(*image, {at.x[d % static_cast<int>(N)] + 1, at.y[d / static_cast<int>(N)] + 1});
        }
      } else if (cell.user < S) {
        dev.blend_bitmap(m_images[wrong[static_cast<std::size_t>(i)] ? kWrongValues : kUserValues][cell.user],
                         {at.rect.left, at.rect.top});
      }
    }
  }

  void PaintGuideMarks(Device& dev, const Model& model) {
    const std::uint32_t mode = model.onTabClueDigits;
    if (mode != 1 && mode != 4) return;
    for (int i = 0; i < S * S; ++i) {
      const std::uint32_t marks = model.cells[i].marks;
      const GridRect& r = m_cells[i].rect;
      if (marks & kRowOrBoxMark) {
        const int y = r.top + (r.bottom - r.top) / 2;
        dev.fill_rect({r.left, y, r.right, y + 1}, colours::guideMark, 255);
      }
      if (marks & kColumnMark) {
        const int x = r.left + (r.right - r.left) / 2;
        dev.fill_rect({x, r.top, x + 1, r.bottom}, colours::guideMark, 255);
      }
    }
  }

  std::vector<CellLayout<N>> m_cells;
  std::vector<int> m_rowLine;
  std::vector<int> m_colLine;
  std::vector<std::vector<Bitmap>> m_images;
  int m_width = 0;
  int m_height = 0;
  double m_cw = 0.0;
  double m_ch = 0.0;
};

extern template class grid_main_strategy<2>;
extern template class grid_main_strategy<3>;
extern template class grid_main_strategy<4>;

}  // namespace grid
