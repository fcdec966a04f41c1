// The player's anonymous id, sent with the statistics report so the maker's
// server can count returning installations without knowing who plays.  It
// is made once (eight random characters enciphered into 16 letters 'a'..'p')
// and kept in "remote.dat" in the settings folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// One raw id character from one rand() value: (r % 122) + 49 taken as a
// signed byte, above 'Z' becomes '1', then below '1' becomes 'Z'.  So 0..41
// give '1'..'Z', 42..78 give '1', and 79..121 (negative as a byte) give 'Z'.
char IdCharacter(int randValue);

// Days from 1970-01-01 to today's local date.
long LocalDayCount();

// Eight characters from rand() after srand(seed), enciphered with the day
// count's decimal text as the key: 16 letters 'a'..'p'.
std::string MakeAnonymousId(unsigned seed, long dayCount);

// True for exactly 16 letters 'a'..'p'.
bool IsAnonymousId(std::string_view token);

// The id in the file (its first token) when it is a well-formed one;
// otherwise a new id, seeded with the real time, is written there first.
// Nothing when the new id cannot be stored either: then it is still used for
// this run.  Never empty.
std::string ReadOrMakeAnonymousId(const std::wstring& remoteFile);
