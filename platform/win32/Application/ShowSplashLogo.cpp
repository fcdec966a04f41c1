#include "platform/win32/Application/ShowSplashLogo.h"

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "svg/builtin_logo.h"
#include "svg/fitted_render.h"
#include "svg/svg_exception.h"
#include "svg/svg_parser.h"
#include "svg/xml_document_file.h"

#include <tinyxml.h>

#include <cmath>
#include <cwchar>
#include <memory>
#include <string>

namespace {

using notus::impl::details::GDIBuffer;

constexpr const wchar_t* kLoadingText = L"Loading...";
static_assert(std::char_traits<wchar_t>::length(desktop::splash_web_address) == 24, "an address of 23 and a blank");
// The text band starts this far below the top of the item's lowest third.
constexpr int kTextBandOffset = 28;

struct LogoDrawing {
  std::unique_ptr<agg::svg::path_renderer> paths;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
};

// The drawing of `document` with its extent as the renderer measures it (the
// frame our art begins with).  SVG errors leave by agg::svg::exception; a
// renderer that threw is only fit for destruction, so each try gets its own.
LogoDrawing ReadDrawing(const TiXmlNode& document) {
  LogoDrawing drawing;
  drawing.paths = std::make_unique<agg::svg::path_renderer>();
  agg::svg::parser reader(*drawing.paths);
  reader.parse(document);
  drawing.paths->bounding_rect(drawing.min_x, drawing.max_x, drawing.min_y, drawing.max_y);
  return drawing;
}

bool HasFittableExtent(const LogoDrawing& drawing) {
  const double width = drawing.max_x - drawing.min_x;
  const double height = drawing.max_y - drawing.min_y;
  // An empty drawing keeps the measure's start values (min 1e100, max
  // -1e100), which gives negative sides; a line has one side zero.
  return std::isfinite(width) && std::isfinite(height) && width > 0.0 && height > 0.0;
}

// The downloaded logo, or an empty drawing when there is none we can show:
// the file is missing or not XML, the SVG reader refuses it, or it has
// nothing to fit.
LogoDrawing ReadDownloadedLogo() {
  TiXmlDocument document;
  load_xml_document(document, JoinPath(SettingsDirectory(), desktop::downloaded_logo_file));
  if (document.Error() || document.RootElement() == nullptr) return {};
  try {
    LogoDrawing drawing = ReadDrawing(document);
    if (HasFittableExtent(drawing)) return drawing;
  } catch (const agg::svg::exception&) {
    // The file came from the network; our own art below is what to show.
  }
  return {};
}

// Our own logo; an error in it is a fault of the program and is not hidden.
LogoDrawing ReadBuiltinLogo() {
  TiXmlDocument document;
  document.Parse(agg::svg::builtin_logo_svg());
  return ReadDrawing(document);
}

void DrawLogo(LogoDrawing& logo, GDIBuffer& buffer) {
  agg::trans_affine matrix;
  if (!agg::svg::fit_box_matrix(logo.min_x, logo.max_x, logo.min_y, logo.max_y, buffer.width(), buffer.height(),
                                matrix))
    return;
  // Fills exactly as outlined: the renderer's contour starts wider.
  logo.paths->expand(0.0);
  agg::svg::render_over(*logo.paths, {buffer.pixels(), buffer.width(), buffer.height(), buffer.stride()}, matrix);
}

// The two lines go through a memory DC on the buffer's bitmap, as any text
// of the layer does, so they look like the text the forms draw later.
void DrawTextLines(GDIBuffer& buffer) {
  const ItemConfig item = ResourceManager::GetItemConfig(0, 1);
  // The band's top is counted from the item's height (455 for the
  // 640-pixel screen); only its bottom line is written on.
  const int height = item.bottom - item.top;
  RECT band{item.left, height - height / 3 + kTextBandOffset, item.right, item.bottom};

  const HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  const HGDIOBJ previous = SelectObject(dc, buffer.dib());
  DrawTextW(dc, desktop::splash_web_address, static_cast<int>(std::wcslen(desktop::splash_web_address)), &band,
            DT_SINGLELINE | DT_BOTTOM | DT_RIGHT);
  DrawTextW(dc, kLoadingText, static_cast<int>(std::wcslen(kLoadingText)), &band, DT_SINGLELINE | DT_BOTTOM | DT_LEFT);
  SelectObject(dc, previous);
  DeleteDC(dc);
}

}  // namespace

void ShowSplashLogo() {
  using notus::impl::details::app;
  LogoDrawing logo = ReadDownloadedLogo();
  if (!logo.paths) logo = ReadBuiltinLogo();

  if (GDIBuffer* buffer = app::instance().back_buffer().get()) {
    buffer->fill_bytes(255);
    DrawLogo(logo, *buffer);
    DrawTextLines(*buffer);
  }

  const HWND window = app::instance().main_window();
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}
