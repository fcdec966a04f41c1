#include "notus/platform/ownerdrawWin32/app.h"

#include "notus/platform/ownerdrawWin32/details/message_loops.h"
#include "notus/platform/ownerdrawWin32/paint_surface.h"
#include "notus/platform/ownerdrawWin32/platform_assert.h"
#include "svg/xml_document_file.h"

#include <utility>

namespace notus::impl::details {

namespace {

constexpr const char* kSource = "notus/platform/ownerdrawWin32/app";
constexpr unsigned kKeyFactor = 1000;

app g_app;

std::function<void(int)> g_loopEntryHook;
int g_loopDepth = 0;

// Counts a running loop for as long as it runs, however it is left.
struct loop_depth {
  loop_depth() noexcept { ++g_loopDepth; }
  ~loop_depth() { --g_loopDepth; }
  loop_depth(const loop_depth&) = delete;
  loop_depth& operator=(const loop_depth&) = delete;
};

paint_surface app_paint_surface() { return paint_surface{g_app.main_window(), g_app.back_buffer().get()}; }

}  // namespace

app::app() { set_paint_surface_source(&app_paint_surface); }

app::~app() { release(); }

app& app::instance() noexcept { return g_app; }

int app::run_message_loop() {
  const loop_depth depth;
  // A copy, so the hook may replace itself while it runs.
  if (const std::function<void(int)> hook = g_loopEntryHook) hook(g_loopDepth);
  return RunMessageLoop();
}

bool app::pump_message() { return PumpOneMessage(); }

void app::quit() { QuitMessageLoop(); }

std::function<void(int depth)> app::set_loop_entry_hook(std::function<void(int depth)> hook) {
  return std::exchange(g_loopEntryHook, std::move(hook));
}

void app::resize_back_buffer(int width, int height) {
  auto buffer = std::make_shared<GDIBuffer>(g_app.m_mainWindow, width, height);
  buffer->fill_bytes(225);
  g_app.m_backBuffer = buffer;
  g_app.m_currentTarget = std::move(buffer);
}

GDIBuffer& app::current_target() const {
  platform_assert(m_currentTarget != nullptr, "px != 0", kSource, __LINE__);
  return *m_currentTarget;
}

unsigned app::image_key(unsigned id, int width, int height) {
  platform_assert(id < kKeyFactor, "key < 1000", kSource, 58);
  platform_assert(width < int(kKeyFactor), "shared_gdi_buffer->m_pixelFormat.width() < 1000", kSource, 59);
  platform_assert(height < int(kKeyFactor), "shared_gdi_buffer->m_pixelFormat.height() < 1000", kSource, 60);
  return (unsigned(width) * kKeyFactor + unsigned(height)) * kKeyFactor + id;
}

void app::begin_bitmap(unsigned id, int width, int height) {
  const unsigned key = image_key(id, width, height);
  auto bitmap = std::make_shared<GDIBuffer>(nullptr, width, height);
  if (width > 0 && height > 0) m_imageCache[key] = bitmap;
  m_currentTarget = std::move(bitmap);
}

void app::end_bitmap() { m_currentTarget = m_backBuffer; }

std::shared_ptr<GDIBuffer> app::find_bitmap(unsigned id, int width, int height) const {
  const unsigned key = image_key(id, width, height);
  if (width <= 0 || height <= 0) return nullptr;
  const auto found = m_imageCache.find(key);
  return found == m_imageCache.end() ? nullptr : found->second;
}

void app::load_glyph_document(const std::wstring& path) { load_xml_document(g_app.m_glyphDocument, path); }

void app::release() {
  if (m_mainWindow) {
    DestroyWindow(m_mainWindow);
    m_mainWindow = nullptr;
  }
  m_glyphDocument.Clear();
  m_imageCache.clear();
  m_currentTarget.reset();
  m_backBuffer.reset();
}

}  // namespace notus::impl::details
