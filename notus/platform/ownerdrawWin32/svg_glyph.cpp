#include "notus/platform/ownerdrawWin32/svg_glyph.h"

#include "notus/platform/ownerdrawWin32/app.h"
#include "svg/fitted_render.h"
#include "svg/glyph_lookup.h"
#include "svg/svg_parser.h"

namespace notus::gdi {

using impl::details::app;

void load_svg_glyphs(const std::wstring& path) { app::load_glyph_document(path); }

void draw_svg_glyph(device<notus::traits>& dev, unsigned id, notus::size<notus::traits> size,
                    notus::point<notus::traits> position) {
  // The cache key cannot hold a glyph 1000 px or more wide or high: such a
  // glyph is rendered afresh each time instead.
  const bool cacheable = size.width < 1000 && size.height < 1000;
  if (cacheable && dev.draw_bitmap(id, size, position)) return;

  agg::svg::path_renderer drawing;
  agg::svg::parser reader(drawing);
  reader.parse(*find_svg_node(app::instance().glyph_document(), static_cast<int>(id)));

  if (!cacheable) {
    impl::details::GDIBuffer picture(nullptr, size.width, size.height);
    agg::svg::render_fitted(drawing,
                            agg::svg::bgra_view{picture.pixels(), picture.width(), picture.height(), picture.stride()});
    dev.draw_image(picture, position);
    return;
  }

  dev.begin_bitmap(id, size.width, size.height);
  impl::details::GDIBuffer& bitmap = app::instance().current_target();
  agg::svg::render_fitted(drawing,
                          agg::svg::bgra_view{bitmap.pixels(), bitmap.width(), bitmap.height(), bitmap.stride()});
  dev.end_bitmap();
  dev.draw_bitmap(id, size, position);
}

}  // namespace notus::gdi
