#pragma once
// The font configuration: fontconfig with the system's rules plus our own
// aliases, which map the family names the screens use to fonts Debian ships.
// An alias only adds accepted families behind the name, so a real font of
// that name wins where one is installed.

#include <stdexcept>
#include <string>
#include <vector>

struct _FcConfig;

namespace vxr::platform {

struct FontAlias {
    std::string family;                 // the name the screens use
    std::vector<std::string> accepted;  // host families that may stand in, best first
    std::string package;                // the Debian package that provides them
    // fontconfig prefers the face that covers the locale's language over the
    // bold face; a neutral language for bold requests lets weight decide.
    bool neutralLanguageForBold = false;
};

// The five families of the screens and where they come from.
std::vector<FontAlias> standardFontAliases();

// Folders searched besides the system's font folders.
std::vector<std::string> extraFontFolders();

// The fontconfig XML that declares `aliases` and `folders`.
std::string fontConfigXml(const std::vector<FontAlias>& aliases, const std::vector<std::string>& folders);

class FontMissingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What fontconfig picks for a request.
struct FontMatch {
    std::string family;  // the first family name of the chosen font
    std::string file;
    int index = 0;          // face index inside a collection file
    bool embolden = false;  // no bold face exists; bold must be synthesised
};

class FontConfiguration {
public:
    explicit FontConfiguration(std::vector<FontAlias> aliases);
    ~FontConfiguration();
    FontConfiguration(const FontConfiguration&) = delete;
    FontConfiguration& operator=(const FontConfiguration&) = delete;

    FontMatch match(const std::string& family, int pixels, bool bold) const;
    const std::vector<FontAlias>& aliases() const { return aliases_; }
    // The alias declared for `family`, or nullptr.
    const FontAlias* aliasFor(const std::string& family) const;
    // Like match(), but an aliased family that resolves to none of its
    // accepted fonts throws FontMissingError naming the package to install.
    FontMatch requireMatch(const std::string& family, int pixels, bool bold) const;

private:
    std::vector<FontAlias> aliases_;
#ifndef __EMSCRIPTEN__
    _FcConfig* config_ = nullptr;  // the web build's fonts are a static map
#endif
};

}  // namespace vxr::platform
