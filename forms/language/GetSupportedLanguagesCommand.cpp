#include "forms/language/GetSupportedLanguagesCommand.h"

#include "app/Paths.h"
#include "app/ResourceManager.h"

void GetSupportedLanguagesCommand::Execute() { languages = ReadSupportedLanguages(CachedResourcesFileName()); }
