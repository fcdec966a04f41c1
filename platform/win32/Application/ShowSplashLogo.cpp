#include "platform/win32/Application/ShowSplashLogo.h"

#include "app/Paths.h"
#include "app/ResourceManager.h"
#include "notus/platform/ownerdrawWin32/app.h"
#include "platform/host/splash_logo.h"
#include "svg/builtin_logo.h"
#include "svg/svg_exception.h"
#include "svg/xml_document_file.h"

#include <tinyxml.h>

#include <cwchar>
#include <string>

namespace {

using notus::impl::details::GDIBuffer;

constexpr const wchar_t* kLoadingText = L"Loading...";
static_assert(std::char_traits<wchar_t>::length(desktop::splash_web_address) == 24, "an address of 23 and a blank");
// The text band starts this far below the top of the item's lowest third.
constexpr int kTextBandOffset = 28;

// The downloaded logo when there is one we can show, otherwise our own.
// The downloaded one may be missing or not XML, the SVG reader may refuse
// it, it may have nothing to fit, cost more than its budget or show
// nothing; an error in our own is a fault of the program and is not hidden.
void DrawLogo(GDIBuffer& buffer) {
  TiXmlDocument downloaded;
  load_xml_document(downloaded, JoinPath(SettingsDirectory(), desktop::downloaded_logo_file));
  if (!downloaded.Error() && downloaded.RootElement() != nullptr) {
    try {
      if (host::DrawDownloadedLogo(buffer, downloaded)) return;
    } catch (const agg::svg::exception&) {
      // The file came from the network; our own art is what to show.
    }
  }
  TiXmlDocument builtin;
  builtin.Parse(agg::svg::builtin_logo_svg());
  host::DrawFittedLogo(buffer, builtin);
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

void desktop::ShowSplashLogo() {
  using notus::impl::details::app;
  if (GDIBuffer* buffer = app::instance().back_buffer().get()) {
    buffer->fill_bytes(255);
    DrawLogo(*buffer);
    DrawTextLines(*buffer);
  }

  const HWND window = app::instance().main_window();
  InvalidateRect(window, nullptr, FALSE);
  UpdateWindow(window);
}
