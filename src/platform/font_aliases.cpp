#include "platform/font_aliases.h"

#ifndef __EMSCRIPTEN__
#include <fontconfig/fontconfig.h>
#endif

#include <algorithm>
#include <memory>

namespace vxr::platform {

std::vector<FontAlias> standardFontAliases() {
    return {
        {"Microsoft Sans Serif", {"Liberation Sans"}, "fonts-liberation2", false},
        // The clone in the wine font folder carries the name itself and has
        // bitmap strikes at small sizes; Liberation Sans is the fallback.
        {"Tahoma", {"Tahoma", "Liberation Sans"}, "fonts-wine (or fonts-liberation2)", false},
        {"Garamond", {"EB Garamond"}, "fonts-ebgaramond", true},
        {"宋体", {"AR PL UMing CN"}, "fonts-arphic-uming", false},
        {"楷体_GB2312", {"AR PL KaitiM GB"}, "fonts-arphic-gkai00mp", false},
    };
}

std::vector<std::string> extraFontFolders() { return {"/usr/share/wine/fonts"}; }

namespace {

std::string familyElement(const std::string& family) { return "<family>" + family + "</family>"; }

std::string aliasXml(const FontAlias& alias) {
    std::string xml = "  <alias binding=\"same\">" + familyElement(alias.family) + "<accept>";
    for (const std::string& accepted : alias.accepted) xml += familyElement(accepted);
    return xml + "</accept></alias>\n";
}

std::string neutralLanguageRuleXml(const FontAlias& alias) {
    return "  <match target=\"pattern\">"
           "<test name=\"family\"><string>" +
           alias.family +
           "</string></test>"
           "<test name=\"weight\" compare=\"more_eq\"><const>bold</const></test>"
           "<edit name=\"lang\" mode=\"assign\"><string>zxx</string></edit></match>\n";
}

#ifndef __EMSCRIPTEN__
using PatternPtr = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;

std::string patternString(const FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) return {};
    return reinterpret_cast<const char*>(value);
}

PatternPtr requestPattern(const std::string& family, int pixels, bool bold) {
    PatternPtr pattern(FcPatternCreate(), &FcPatternDestroy);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, pixels);
    return pattern;
}
#endif

}  // namespace

std::string fontConfigXml(const std::vector<FontAlias>& aliases, const std::vector<std::string>& folders) {
    std::string xml =
        "<?xml version=\"1.0\"?>\n"
        "<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
        "<fontconfig>\n";
    for (const std::string& folder : folders) xml += "  <dir>" + folder + "</dir>\n";
    for (const FontAlias& alias : aliases) {
        xml += aliasXml(alias);
        if (alias.neutralLanguageForBold) xml += neutralLanguageRuleXml(alias);
    }
    return xml + "</fontconfig>\n";
}

#ifndef __EMSCRIPTEN__
FontConfiguration::FontConfiguration(std::vector<FontAlias> aliases) : aliases_(std::move(aliases)) {
    // The system rules first, then ours, then the font scan, so that the
    // extra folders are part of the font set.
    config_ = FcInitLoadConfig();
    if (config_ == nullptr) throw FontMissingError("fontconfig: cannot load the system configuration");
    const std::string xml = fontConfigXml(aliases_, extraFontFolders());
    if (!FcConfigParseAndLoadFromMemory(config_, reinterpret_cast<const FcChar8*>(xml.c_str()), FcTrue) ||
        !FcConfigBuildFonts(config_)) {
        FcConfigDestroy(config_);
        throw FontMissingError("fontconfig: cannot load the trainer's font aliases");
    }
}

FontConfiguration::~FontConfiguration() { FcConfigDestroy(config_); }

FontMatch FontConfiguration::match(const std::string& family, int pixels, bool bold) const {
    PatternPtr request = requestPattern(family, pixels, bold);
    FcConfigSubstitute(config_, request.get(), FcMatchPattern);
    FcDefaultSubstitute(request.get());
    FcResult result = FcResultNoMatch;
    PatternPtr found(FcFontMatch(config_, request.get(), &result), &FcPatternDestroy);
    if (!found) return {};
    FontMatch match;
    match.family = patternString(found.get(), FC_FAMILY);
    match.file = patternString(found.get(), FC_FILE);
    FcPatternGetInteger(found.get(), FC_INDEX, 0, &match.index);
    FcBool embolden = FcFalse;
    FcPatternGetBool(found.get(), FC_EMBOLDEN, 0, &embolden);
    match.embolden = embolden == FcTrue;
    return match;
}

#else

// The web page has no fontconfig: the font files the desktop build finds
// through it are packed into the page's /fonts folder (the Chinese ones cut
// down to the characters the page draws with them, the song face taken out
// of its collection), and this map names the one fontconfig picks for each
// host family. A family without a bold
// face is emboldened, as fontconfig synthesises it.
namespace {

struct WebFace {
    const char* family;
    const char* regular;
    const char* bold;  // nullptr: synthesise bold from the regular face
};

constexpr WebFace kWebFaces[] = {
    {"Liberation Sans", "/fonts/LiberationSans-Regular.ttf", "/fonts/LiberationSans-Bold.ttf"},
    {"Tahoma", "/fonts/tahoma.ttf", "/fonts/tahomabd.ttf"},
    {"EB Garamond", "/fonts/EBGaramond08-Regular.otf", nullptr},
    {"AR PL UMing CN", "/fonts/uming.ttf", nullptr},
    {"AR PL KaitiM GB", "/fonts/gkai00mp.ttf", nullptr},
};

const WebFace* webFace(const std::string& family) {
    for (const WebFace& face : kWebFaces) {
        if (family == face.family) return &face;
    }
    return nullptr;
}

}  // namespace

FontConfiguration::FontConfiguration(std::vector<FontAlias> aliases) : aliases_(std::move(aliases)) {}

FontConfiguration::~FontConfiguration() = default;

FontMatch FontConfiguration::match(const std::string& family, int /*pixels*/, bool bold) const {
    const WebFace* face = webFace(family);
    if (const FontAlias* alias = aliasFor(family); face == nullptr && alias != nullptr) {
        for (const std::string& accepted : alias->accepted) {
            if ((face = webFace(accepted)) != nullptr) break;
        }
    }
    if (face == nullptr) face = &kWebFaces[0];
    const bool synthesised = bold && face->bold == nullptr;
    return {face->family, bold && !synthesised ? face->bold : face->regular, 0, synthesised};
}

#endif

const FontAlias* FontConfiguration::aliasFor(const std::string& family) const {
    auto it =
        std::find_if(aliases_.begin(), aliases_.end(), [&](const FontAlias& alias) { return alias.family == family; });
    return it == aliases_.end() ? nullptr : &*it;
}

FontMatch FontConfiguration::requireMatch(const std::string& family, int pixels, bool bold) const {
    FontMatch match = this->match(family, pixels, bold);
    const FontAlias* alias = aliasFor(family);
    if (alias == nullptr) {
        if (match.file.empty()) throw FontMissingError("no font found for \"" + family + "\"");
        return match;
    }
    const auto& accepted = alias->accepted;
    const bool acceptable =
        match.family == family || std::find(accepted.begin(), accepted.end(), match.family) != accepted.end();
    if (!acceptable || match.file.empty()) {
        throw FontMissingError("no font for \"" + family + "\" (wanted " + accepted.front() + ", found " +
                               (match.family.empty() ? "nothing" : match.family) + "): install the Debian package " +
                               alias->package);
    }
    return match;
}

}  // namespace vxr::platform
