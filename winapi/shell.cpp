// ShellExecuteW: hands a document or an address to whatever the system opens
// it with.  The core only checks the call and turns the answer into the
// Win32 codes; how the target is opened is the backend's business (a real
// desktop asks the system, the headless one records the call for tests).
// Only the "open" verb is known: nothing of ours prints or edits through the
// shell, and an unknown verb must not quietly open instead.
#include "winapi/backend.h"
#include "winapi/windows.h"

#include <cstdint>
#include <cwchar>

namespace {

// Win32's answers: above 32 is success, the small values name the failure.
constexpr std::intptr_t kOpened = 42;
constexpr std::intptr_t kFileNotFound = 2;    // ERROR_FILE_NOT_FOUND
constexpr std::intptr_t kNoAssociation = 31;  // SE_ERR_NOASSOC

HINSTANCE AsResult(std::intptr_t code) { return reinterpret_cast<HINSTANCE>(code); }

}  // namespace

HINSTANCE ShellExecuteW(HWND hwnd, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR, INT showCommand) {
  if (operation != nullptr && std::wcscmp(operation, L"open") != 0) return AsResult(kNoAssociation);
  if (file == nullptr || *file == L'\0') return AsResult(kFileNotFound);
  winapi::ShellOpenRequest request;
  request.owner = hwnd;
  request.target = file;
  request.parameters = parameters != nullptr ? parameters : L"";
  request.showCommand = showCommand;
  return AsResult(winapi::CurrentBackend().OpenExternal(request) ? kOpened : kFileNotFound);
}
