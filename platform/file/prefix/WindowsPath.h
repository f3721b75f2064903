#pragma once
// Windows path texts taken apart and put together again, the way Windows reads
// them: "\" and "/" both separate names, "." and ".." are applied to the names
// before them, trailing dots and blanks of a name are dropped. No file system
// is touched here.

#include <string>
#include <vector>

namespace platform::prefix {

// A path from a root: a drive ('a' to 'z'), or, for drive 0, the root of the
// Linux file system that no drive maps, written \\?\unix\ as Wine does.
struct AbsolutePath {
    char drive = 0;
    std::vector<std::string> names;
    bool trailingSeparator = false;  // the text ended with a separator

    bool isRoot() const { return names.empty(); }
};

// The text of an absolute path: "C:\", "C:\a\b", "\\?\unix\work".
std::string windowsText(const AbsolutePath& path);

// The absolute path of a text, relative texts taken against current (the
// working directory). False with the Windows error (123 invalid name, 3 empty
// text, 53 network path) when the text names nothing on this machine.
bool absolutePath(const std::string& text, const AbsolutePath& current, AbsolutePath& path, int& error);

// A name that Windows accepts in a path: no control characters, none of
// \ / : * ? " < > |.
bool isValidName(const std::string& name);

// Are two names the same for Windows, which ignores letter case (see
// util/CaseFolding.h).
bool sameNameIgnoringCase(const std::string& a, const std::string& b);

// Does the name match a find pattern with the wildcards * and ? (case ignored as
// in sameNameIgnoringCase; "*.*" matches every name). As for Windows, ? stands
// for one UTF-16 code unit, so a letter beyond U+FFFF takes two; a byte that is
// not UTF-8 is one character of its own.
bool matchesPattern(const std::string& name, const std::string& pattern);

}  // namespace platform::prefix
