#include "platform/handheld/ShowSplashLogo.h"

#include "app/ResourceManager.h"
#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "platform/host/host_common.h"
#include "platform/host/splash_logo.h"
#include "svg/builtin_logo.h"

#include <tinyxml.h>

#include <cwchar>

namespace handheld {

namespace {

using notus::impl::details::GDIBuffer;

// Only the built-in logo: the handheld downloads none.  One without width
// or height draws nothing.
void DrawLogo(GDIBuffer& buffer, const char* logo_svg) {
  TiXmlDocument document;
  document.Parse(logo_svg);
  host::DrawFittedLogo(buffer, document);
}

void DrawLine(HDC dc, const wchar_t* text, RECT where, UINT format) {
  DrawTextW(dc, text, static_cast<int>(std::wcslen(text)), &where, format);
}

// The texts' offsets below the area's lowest third, in sixteenths of a
// line: at the classic 16 pixel line, 10 and 28 pixels.  They grow with
// the text, so the two lines stay one under the other at every text size.
constexpr int kDevelopedByOffset = 10;
constexpr int kMakerOffset = 28;
constexpr int kClassicLineHeight = 16;

// Through a memory DC on the buffer's bitmap, so that the texts stay when
// the paint pass shows the buffer.
void DrawTexts(GDIBuffer& buffer, const RECT& area) {
  const int height = area.bottom - area.top;
  const int third = area.top + height - height / 3;
  const HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return;
  SIZE line{0, 0};
  GetTextExtentPoint32W(dc, L"", 0, &line);
  const auto below_third = [&](int offset) { return third + offset * line.cy / kClassicLineHeight; };
  const HGDIOBJ previous = SelectObject(dc, buffer.dib());
  DrawLine(dc, L"developed by", {area.left, below_third(kDevelopedByOffset), area.right, area.bottom}, DT_CENTER);
  DrawLine(dc, host::message_caption, {area.left, below_third(kMakerOffset), area.right, area.bottom}, DT_CENTER);
  DrawLine(dc, L"Loading...", {area.left, third + 28, area.right, area.bottom}, DT_SINGLELINE | DT_BOTTOM);
  SelectObject(dc, previous);
  DeleteDC(dc);
}

}  // namespace

void DrawSplash(GDIBuffer& buffer, const char* logo_svg, const RECT& text_area) {
  buffer.fill_bytes(255);
  DrawLogo(buffer, logo_svg);
  DrawTexts(buffer, text_area);
}

}  // namespace handheld

void handheld::ShowSplashLogo() {
  using notus::impl::details::app;
  const ItemConfig item = ResourceManager::GetItemConfig(0, 1);
  if (notus::impl::details::GDIBuffer* buffer = app::instance().back_buffer().get())
    handheld::DrawSplash(*buffer, agg::svg::builtin_logo_svg(), {item.left, item.top, item.right, item.bottom});
  InvalidateRect(app::instance().main_window(), nullptr, FALSE);
}
