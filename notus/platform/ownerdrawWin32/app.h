// The platform application object: the one holder of the process-wide state
// of the layer.  It is a static global, built before WinMain and destroyed at
// exit, and it holds the module instance, the main window, the back buffer,
// the current drawing target, the image cache and the SVG glyph document.
//
// The back buffer is the image of the whole client area that every paint
// strategy draws into; it does not exist until the main window's first
// WM_SIZE.  The current target is the back buffer, or a cached bitmap while
// one is being drawn (begin_bitmap .. end_bitmap).
//
// Cached bitmaps are keyed by (width * 1000 + height) * 1000 + id; id, width
// and height must each stay below 1000, or the program stops.  Entries are
// never removed while the program runs.
#pragma once

#include "notus/platform/ownerdrawWin32/GDIBuffer.h"
#include "winapi/windows.h"

#include <tinyxml.h>

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace notus::impl::details {

class app {
 public:
  app();
  app(const app&) = delete;
  app& operator=(const app&) = delete;
  virtual ~app();

  static app& instance() noexcept;

  // The message loops.  run_message_loop runs until the first WM_QUIT it
  // takes (a nested loop ends on its own quit, the main loop goes on) and
  // returns GetMessageW's last result.  pump_message takes at most one
  // message: true only for WM_QUIT, which is then consumed.  quit ends the
  // innermost running loop.
  static int run_message_loop();
  static bool pump_message();
  static void quit();
  // Called as each run_message_loop starts, with the number of loops then
  // running (1 for the outermost); tests script dialogs with it.  An empty
  // function removes the hook.  Answers the hook it replaces.
  static std::function<void(int depth)> set_loop_entry_hook(std::function<void(int depth)> hook);

  // A new back buffer of the given size for the main window, every byte
  // 225 (light grey); it becomes the current target.
  static void resize_back_buffer(int width, int height);

  HINSTANCE module_instance() const noexcept { return m_instance; }
  void set_module_instance(HINSTANCE instance) noexcept { m_instance = instance; }
  HWND main_window() const noexcept { return m_mainWindow; }
  void set_main_window(HWND window) noexcept { m_mainWindow = window; }

  const std::shared_ptr<GDIBuffer>& back_buffer() const noexcept { return m_backBuffer; }
  // The buffer drawing goes into; stops the program when there is none.
  GDIBuffer& current_target() const;
  // Whether drawing goes into a cached bitmap rather than the back buffer.
  bool drawing_bitmap() const noexcept { return m_currentTarget && m_currentTarget != m_backBuffer; }

  // The cache key of (id, width, height); stops the program when any of
  // them is 1000 or more.
  static unsigned image_key(unsigned id, int width, int height);
  // Makes a transparent width x height bitmap, stores it under its key
  // (replacing an older one) and makes it the current target.  With a
  // width or height of zero or less nothing is stored and drawing goes
  // nowhere until end_bitmap.
  void begin_bitmap(unsigned id, int width, int height);
  // The back buffer is the current target again.
  void end_bitmap();
  // The cached bitmap of (id, width, height), or null.
  std::shared_ptr<GDIBuffer> find_bitmap(unsigned id, int width, int height) const;
  std::size_t cached_bitmap_count() const noexcept { return m_imageCache.size(); }

  TiXmlDocument& glyph_document() noexcept { return m_glyphDocument; }
  // Reads an SVG file into the glyph document; a file that cannot be
  // opened leaves the document as it was.
  static void load_glyph_document(const std::wstring& path);

  // What the destructor does: destroys the main window if there is one,
  // then empties the glyph document, the image cache and both buffers.
  void release();

 private:
  HINSTANCE m_instance = nullptr;
  HWND m_mainWindow = nullptr;
  std::shared_ptr<GDIBuffer> m_backBuffer;
  std::shared_ptr<GDIBuffer> m_currentTarget;
  std::map<unsigned, std::shared_ptr<GDIBuffer>> m_imageCache;
  TiXmlDocument m_glyphDocument;
};

}  // namespace notus::impl::details
