// GetOpenFileNameW and GetSaveFileNameW: the core reads the caller's
// OPENFILENAMEW into a FileDialogRequest, lets the backend run the dialog,
// and writes the answer back under the structure's rules (a path that does
// not fit fails rather than being cut, so a caller never opens or overwrites
// a truncated path).  GetLastError carries the outcome, as the game reads it.
#include "winapi/backend.h"
#include "winapi/path_prompt.h"
#include "winapi/windows.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace {

thread_local DWORD t_lastError = 0;

// The double-NUL-terminated name / patterns list.  A name without its
// pattern string (a list ended too early) is dropped.
std::vector<winapi::FileFilter> ParseFilters(LPCWSTR list) {
  std::vector<winapi::FileFilter> filters;
  if (list == nullptr) {
    return filters;
  }
  while (*list != L'\0') {
    std::wstring name = list;
    list += name.size() + 1;
    if (*list == L'\0') {
      break;
    }
    const std::wstring patterns = list;
    list += patterns.size() + 1;
    winapi::FileFilter filter{std::move(name), {}};
    std::size_t start = 0;
    while (start <= patterns.size()) {
      const std::size_t end = std::min(patterns.find(L';', start), patterns.size());
      if (end > start) {
        filter.patterns.push_back(patterns.substr(start, end - start));
      }
      start = end + 1;
    }
    filters.push_back(std::move(filter));
  }
  return filters;
}

// The suggested file (the buffer need not hold a NUL within nMaxFile) put in
// the initial folder unless it is absolute already.
std::wstring InitialPath(const OPENFILENAMEW& ofn) {
  std::wstring file(ofn.lpstrFile, wcsnlen(ofn.lpstrFile, ofn.nMaxFile));
  std::wstring folder = ofn.lpstrInitialDir != nullptr ? ofn.lpstrInitialDir : L"";
  if (folder.empty() || (!file.empty() && file.front() == L'/')) {
    return file;
  }
  if (folder.back() != L'/') {
    folder += L'/';
  }
  return folder + file;
}

winapi::FileDialogRequest RequestOf(const OPENFILENAMEW& ofn, bool save) {
  winapi::FileDialogRequest request;
  request.owner = ofn.hwndOwner;
  request.save = save;
  request.title = ofn.lpstrTitle != nullptr ? ofn.lpstrTitle : (save ? L"Save As" : L"Open");
  request.filters = ParseFilters(ofn.lpstrFilter);
  // nFilterIndex counts from 1; 0 names the custom filter, which the layer
  // does not keep, so it and any index past the list show the first.
  if (ofn.nFilterIndex >= 1 && ofn.nFilterIndex <= request.filters.size()) {
    request.filterIndex = ofn.nFilterIndex - 1;
  }
  request.initialPath = InitialPath(ofn);
  request.flags = ofn.Flags;
  request.ownPrompt = winapi::UsesOwnFilePrompt();
  return request;
}

BOOL Fail(DWORD error) {
  t_lastError = error;
  return FALSE;
}

WORD ClampToWord(std::size_t value) { return static_cast<WORD>(std::min<std::size_t>(value, 0xFFFF)); }

BOOL WriteBack(OPENFILENAMEW& ofn, std::wstring path) {
  const std::size_t nameStart = path.rfind(L'/') == std::wstring::npos ? 0 : path.rfind(L'/') + 1;
  std::size_t dot = path.rfind(L'.');
  if (dot != std::wstring::npos && dot < nameStart) {
    dot = std::wstring::npos;  // a '.' in a folder name
  }
  if (dot == std::wstring::npos && ofn.lpstrDefExt != nullptr && *ofn.lpstrDefExt != L'\0') {
    path += L'.';
    path += ofn.lpstrDefExt;
    dot = path.rfind(L'.');
  }
  if (path.size() + 1 > ofn.nMaxFile) {
    // The needed size goes where a caller that enlarges its buffer looks
    // for it; the rest of the buffer keeps what it held.
    ofn.lpstrFile[0] = static_cast<WCHAR>(std::min<std::size_t>(path.size() + 1, 0xFFFF));
    return Fail(FNERR_BUFFERTOOSMALL);
  }
  std::copy(path.begin(), path.end(), ofn.lpstrFile);
  ofn.lpstrFile[path.size()] = L'\0';

  ofn.nFileOffset = ClampToWord(nameStart);
  // Past a final '.' there is no extension: 0.  Without a '.', the end.
  ofn.nFileExtension = dot == std::wstring::npos ? ClampToWord(path.size())
                       : dot + 1 == path.size()  ? WORD{0}
                                                 : ClampToWord(dot + 1);
  if (ofn.lpstrFileTitle != nullptr && ofn.nMaxFileTitle > 0) {
    const std::size_t nameLength = path.size() - nameStart;
    if (nameLength + 1 <= ofn.nMaxFileTitle) {
      std::copy(path.begin() + static_cast<std::ptrdiff_t>(nameStart), path.end(), ofn.lpstrFileTitle);
      ofn.lpstrFileTitle[nameLength] = L'\0';
    } else {
      ofn.lpstrFileTitle[0] = L'\0';
    }
  }
  t_lastError = 0;
  return TRUE;
}

BOOL RunFileDialog(LPOPENFILENAMEW ofn, bool save) {
  if (ofn == nullptr) {
    return Fail(CDERR_INITIALIZATION);
  }
  if (ofn->lStructSize != sizeof(OPENFILENAMEW)) {
    return Fail(CDERR_STRUCTSIZE);
  }
  if (ofn->lpstrFile == nullptr || ofn->nMaxFile == 0) {
    return Fail(CDERR_INITIALIZATION);
  }
  const winapi::FileDialogResult result = winapi::CurrentBackend().FileDialog(RequestOf(*ofn, save));
  switch (result.outcome) {
    case winapi::FileDialogResult::Outcome::chosen: return WriteBack(*ofn, result.path);
    case winapi::FileDialogResult::Outcome::failed:
      // A backend that fails must say why: the caller tells a cancel from a
      // failure by the error alone.
      return Fail(result.error != 0 ? result.error : CDERR_DIALOGFAILURE);
    case winapi::FileDialogResult::Outcome::cancelled: break;
  }
  return Fail(0);
}

}  // namespace

BOOL GetOpenFileNameW(LPOPENFILENAMEW ofn) { return RunFileDialog(ofn, false); }
BOOL GetSaveFileNameW(LPOPENFILENAMEW ofn) { return RunFileDialog(ofn, true); }

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD error) { t_lastError = error; }
