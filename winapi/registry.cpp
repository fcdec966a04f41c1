// The registry of the emulated device: one hive in memory per process, keys
// by path under HKEY_LOCAL_MACHINE, DWORD and other values as bytes.  A file
// hive would outlive the process and let a crash mid-game leave zero
// timeouts behind for the next start; in memory every start sees the
// device's own values.
#include "winapi/device.h"
#include "winapi/device_parts.h"

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <map>
#include <set>
#include <vector>

namespace winapi::device {
namespace {

struct Value {
  DWORD type = 0;
  std::vector<BYTE> bytes;
};
using Key = std::map<std::wstring, Value>;

struct Hive {
  std::map<std::wstring, Key> keys;  // by lower-case path without leading or trailing '\'
  std::map<std::uintptr_t, std::wstring> open;
  std::uintptr_t nextHandle = 0x1000;
  std::size_t writes = 0;
};

void SeedKeys(Hive& hive);

// Seeded as the process first touches it, as a device boots with its keys.
// Never destroyed: a program's static objects may hand back what they
// changed as the program ends.
Hive& TheHive() {
  static Hive* hive = [] {
    auto* seeded = new Hive;
    SeedKeys(*seeded);
    return seeded;
  }();
  return *hive;
}

// Names compare without regard to case, as in the registry.
std::wstring Normalised(const std::wstring& path) {
  std::wstring key;
  for (wchar_t c : path) key.push_back(static_cast<wchar_t>(std::towlower(c)));
  while (!key.empty() && key.front() == L'\\') key.erase(key.begin());
  while (!key.empty() && key.back() == L'\\') key.pop_back();
  return key;
}

void SetDword(Key& key, const std::wstring& name, DWORD value) {
  Value& stored = key[Normalised(name)];
  stored.type = REG_DWORD;
  stored.bytes.resize(sizeof value);
  std::memcpy(stored.bytes.data(), &value, sizeof value);
}

Key* OpenKey(HKEY handle) {
  Hive& hive = TheHive();
  const auto found = hive.open.find(reinterpret_cast<std::uintptr_t>(handle));
  if (found == hive.open.end()) return nullptr;
  const auto key = hive.keys.find(found->second);
  return key == hive.keys.end() ? nullptr : &key->second;
}

void SeedKeys(Hive& hive) {
  hive.keys.clear();
  Key& power = hive.keys[Normalised(kPowerTimeoutsKey)];
  SetDword(power, L"ACSuspendTimeout", kDeviceAcSuspendTimeout);
  SetDword(power, L"BattSuspendTimeout", kDeviceBatterySuspendTimeout);
}

}  // namespace

void SeedRegistry() { SeedKeys(TheHive()); }

void RemoveRegistryKey(const std::wstring& path) { TheHive().keys.erase(Normalised(path)); }

void RemoveRegistryValue(const std::wstring& path, const std::wstring& name) {
  const auto key = TheHive().keys.find(Normalised(path));
  if (key != TheHive().keys.end()) key->second.erase(Normalised(name));
}

std::optional<DWORD> RegistryDword(const std::wstring& path, const std::wstring& name) {
  const auto key = TheHive().keys.find(Normalised(path));
  if (key == TheHive().keys.end()) return std::nullopt;
  const auto value = key->second.find(Normalised(name));
  if (value == key->second.end() || value->second.type != REG_DWORD || value->second.bytes.size() != sizeof(DWORD))
    return std::nullopt;
  DWORD result = 0;
  std::memcpy(&result, value->second.bytes.data(), sizeof result);
  return result;
}

std::size_t RegistryWrites() { return TheHive().writes; }
std::size_t OpenRegistryKeys() { return TheHive().open.size(); }

namespace parts {
void ResetRegistry() {
  SeedRegistry();
  TheHive().open.clear();
  TheHive().writes = 0;
}
}  // namespace parts

}  // namespace winapi::device

using winapi::device::Normalised;
using winapi::device::TheHive;

// Only HKEY_LOCAL_MACHINE has keys; a key that is not there does not open
// (nothing creates keys: the device came with them).
LONG RegOpenKeyExW(HKEY root, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (root != HKEY_LOCAL_MACHINE || subKey == nullptr) return ERROR_FILE_NOT_FOUND;
  auto& hive = TheHive();
  const std::wstring path = Normalised(subKey);
  if (hive.keys.count(path) == 0) return ERROR_FILE_NOT_FOUND;
  const std::uintptr_t handle = hive.nextHandle++;
  hive.open[handle] = path;
  *result = reinterpret_cast<HKEY>(handle);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY handle, LPCWSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
  const winapi::device::Key* key = winapi::device::OpenKey(handle);
  if (key == nullptr) return ERROR_INVALID_HANDLE;
  const auto value = key->find(Normalised(name != nullptr ? name : L""));
  if (value == key->end()) return ERROR_FILE_NOT_FOUND;
  if (type != nullptr) *type = value->second.type;
  const DWORD needed = static_cast<DWORD>(value->second.bytes.size());
  if (data == nullptr) {
    if (size != nullptr) *size = needed;
    return ERROR_SUCCESS;
  }
  if (size == nullptr) return ERROR_INVALID_PARAMETER;
  const DWORD room = *size;
  *size = needed;
  if (room < needed) return ERROR_MORE_DATA;
  std::copy(value->second.bytes.begin(), value->second.bytes.end(), data);
  return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY handle, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  winapi::device::Key* key = winapi::device::OpenKey(handle);
  if (key == nullptr) return ERROR_INVALID_HANDLE;
  if (data == nullptr && size != 0) return ERROR_INVALID_PARAMETER;
  auto& value = (*key)[Normalised(name != nullptr ? name : L"")];
  value.type = type;
  value.bytes.assign(data, data + size);
  ++TheHive().writes;
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY handle) {
  return TheHive().open.erase(reinterpret_cast<std::uintptr_t>(handle)) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}
