#include "forms/grid/GridPainter.h"

#include <tinyxml.h>

#include <agg_conv_stroke.h>
#include <agg_conv_transform.h>
#include <agg_gsv_text.h>
#include <agg_rasterizer_scanline_aa.h>
#include <agg_renderer_scanline.h>
#include <agg_scanline_u.h>
#include <agg_trans_affine.h>

#include <algorithm>

#include "app/Paths.h"
#include "svg/fitted_render.h"
#include "svg/svg_parser.h"
#include "svg/xml_document_file.h"

namespace grid {

void DrawGsvText(const std::string& text, double x, double y, Colour colour, double height, Bitmap& target) {
  if (target.empty()) return;
  agg::gsv_text font;
  font.size(height, 0.0);
  // The font's y axis points up: the text is laid out upward from (x, -y)
  // and the vertical flip stands it upright on the baseline at y.
  font.start_point(x, -y);
  font.text(text.c_str());
  agg::conv_stroke<agg::gsv_text> outline(font);
  agg::trans_affine flip = agg::trans_affine_scaling(1.0, -1.0);
  agg::conv_transform<agg::conv_stroke<agg::gsv_text>> upright(outline, flip);
  agg::rasterizer_scanline_aa<> rasterizer;
  agg::scanline_u8 scanline;
  rasterizer.add_path(upright);
  agg::render_scanlines_aa_solid(rasterizer, scanline, target.renderer(), notus::gdi::agg_colour(colour, 255));
}

const TiXmlElement* FindDigitGlyphs(TiXmlDocument& document, bool digitMode, unsigned S) {
  load_xml_document(document, JoinPath(GetResourcesDirectory(), L"titular_digits.dat"));
  const TiXmlElement* root = document.RootElement();
  if (root == nullptr) return nullptr;
  const TiXmlElement* first = root->FirstChildElement();
  for (int skip = digitMode ? 0 : 9; skip > 0 && first != nullptr; --skip) first = first->NextSiblingElement();
  const TiXmlElement* last = first;
  for (unsigned k = 1; k < S && last != nullptr; ++k) last = last->NextSiblingElement();
  return last == nullptr ? nullptr : first;
}

const TiXmlElement* NextDigitGlyph(const TiXmlElement* glyph) { return glyph->NextSiblingElement(); }

void RenderDigitGlyph(const TiXmlElement& glyph, const char* fill, int cw, int ch, Bitmap& image) {
  image.create(cw, ch);
  if (image.empty()) return;
  agg::svg::path_renderer drawing;
  agg::svg::parser reader(drawing);
  if (fill != nullptr) {
    TiXmlElement recoloured(glyph);
    recoloured.SetAttribute("fill", fill);
    reader.parse(recoloured);
  } else {
    reader.parse(glyph);
  }
  agg::trans_affine matrix;
  matrix *= agg::trans_affine_translation(-14.0, -14.0);
  matrix *= agg::trans_affine_scaling(std::min(cw, ch) / 30.0);
  matrix *= agg::trans_affine_translation(cw / 2.0, ch / 2.0);
  agg::svg::render_over(drawing, agg::svg::bgra_view{image.pixels(), image.width(), image.height(), image.stride()},
                        matrix);
}

template <unsigned N>
void grid_main_strategy<N>::BuildDigitImages(bool digitMode, int cw, int ch) {
  static constexpr ImageSet sets[] = {kGivenValues, kUserValues, kWrongValues};
  static constexpr const char* fills[] = {nullptr, kUserValueFill, kWrongValueFill};
  if (cw <= 0 || ch <= 0) {
    for (ImageSet set : sets)
      for (Bitmap& image : m_images[set]) image.create(0, 0);
    return;
  }
  TiXmlDocument document;
  const TiXmlElement* first = FindDigitGlyphs(document, digitMode, S);
  // Without the drawings the images of the last size stay.
  if (first == nullptr) return;
  for (int k = 0; k < 3; ++k) {
    const TiXmlElement* glyph = first;
    for (int value = 0; value < S; ++value, glyph = NextDigitGlyph(glyph))
      RenderDigitGlyph(*glyph, fills[k], cw, ch, m_images[sets[k]][value]);
  }
}

template class grid_main_strategy<2>;
template class grid_main_strategy<3>;
template class grid_main_strategy<4>;

}  // namespace grid
