#pragma once
// Where the program's files lie.
//
// The fixed data is read from the resources folder, everything the program
// writes goes to the per-user settings folder.  Each folder and file name is
// worked out once and kept until ClearPathCache.  Paths are wide strings with
// '/' as the separator, every folder name ends with '/', and NativePath turns
// one into the bytes the file system takes.  Folder names come from the
// environment and the file system as bytes, UTF-8 or not, and are carried
// in the wide strings by the path codec (base/PathBytes.h), so that any
// folder the user has is one the program can use.
//
// TAVLIN_SETTINGS_DIR and TAVLIN_RESOURCES_DIR override the two folders (tests
// and packagers use them).

#include <string>

// The folder of the running program file.
std::wstring ModuleDirectory();
// The program file's name without its extension ("tavlin").
std::wstring ProgramName();
// The per-user folder for everything the program writes; created when missing.
// The first time a run works out a folder, the temporary files that killed
// runs left in it are removed (RemoveStaleTemporaryFiles in base/SmallFile.h,
// which start-up may call as well).
std::wstring SettingsDirectory();
std::wstring GetResourcesDirectory();
// The resource file and its pruned per-user copy.
std::wstring ResourcesFileName();
std::wstring CachedResourcesFileName();

// The folder followed by the name; no separator is added.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
// Forgets every cached folder and file name.
void ClearPathCache();

// The handheld keeps its settings in "settings/" beside the program rather
// than in the user's data folder.  Called once at start-up, before any path
// is asked for.
void UseSettingsFolderBesideProgram(bool besideProgram);

// The bytes of a path, for the file system calls: exactly the bytes a
// folder name was read from (PathToBytes).
std::string NativePath(const std::wstring& path);

// ---- The pieces the cached paths are made of, open for tests. ----

struct ProgramLocation {
  std::wstring directory;  // ends with '/'
  std::wstring name;       // file name without its extension
};
// Splits a program file path.  Only the file name loses its extension, so a
// dot in a folder name or a file without extension is handled.
ProgramLocation SplitProgramPath(const std::wstring& programPath);

// The desktop settings folder: <dataHome>/<program name>/, created with any
// missing parents; when that cannot be made, "settings/" in the program's
// folder.  An empty dataHome goes straight to the fallback.
std::wstring MakeDesktopSettingsDirectory(const std::wstring& dataHome, const ProgramLocation& program);

// "resources/" beside the program; for an installed program in <prefix>/bin/
// without such a folder, <prefix>/share/tavlin/resources/ when that exists.
std::wstring ChooseResourcesDirectory(const std::wstring& programDirectory);

// Creates the folder (and, with parents, every missing folder above it).
// True when the folder exists afterwards.
bool CreateFolder(const std::wstring& folder, bool withParents);
