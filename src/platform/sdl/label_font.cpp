#include "platform/sdl/label_font.h"

#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>

namespace volley {
namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;

// Proportional gothics that are common on Linux desktops, best first; sans-serif with the
// Japanese language then lets the local configuration name any other.
constexpr std::array<const char*, 5> kPreferredFamilies = {
    "IPAPGothic", "IPAexGothic", "VL PGothic", "TakaoPGothic", "Noto Sans CJK JP"};

// Kana the labels are known to use.
constexpr std::array<FcChar32, 5> kKanaProbe = {0x307F, 0x308B, 0x3066, 0x3043, 0x3042};

PatternPtr MakeLabelPattern() {
    PatternPtr pattern(FcPatternCreate());
    for (const char* family : kPreferredFamilies) {
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    }
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, FC_WEIGHT_BOLD);
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

bool CoversKana(const FcPattern* font) {
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) {
        return false;
    }
    for (FcChar32 kana : kKanaProbe) {
        if (!FcCharSetHasChar(charset, kana)) {
            return false;
        }
    }
    return true;
}

// Fixed-pitch Japanese faces give every kana a full square cell, which spreads labels too wide.
bool IsProportional(const FcPattern* font) {
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
    return spacing == FC_PROPORTIONAL;
}

// The first kana face in fontconfig's order, preferring a proportional one; null when none.
FcPattern* FirstKanaFace(const FcFontSet& sorted) {
    FcPattern* fixedPitch = nullptr;
    for (int i = 0; i < sorted.nfont; ++i) {
        FcPattern* font = sorted.fonts[i];
        if (!CoversKana(font)) {
            continue;
        }
        if (IsProportional(font)) {
            return font;
        }
        if (fixedPitch == nullptr) {
            fixedPitch = font;
        }
    }
    return fixedPitch;
}

// Reads the choice from a face as it will be rendered, after the configuration's own edits.
FontChoice Describe(FcPattern* pattern, FcPattern* font) {
    FontChoice choice;
    PatternPtr prepared(FcFontRenderPrepare(nullptr, pattern, font));
    if (!prepared) {
        return choice;
    }
    FcChar8* file = nullptr;
    if (FcPatternGetString(prepared.get(), FC_FILE, 0, &file) == FcResultMatch) {
        choice.Path = reinterpret_cast<const char*>(file);
    }
    FcPatternGetInteger(prepared.get(), FC_INDEX, 0, &choice.Index);
    choice.CoversKana = CoversKana(prepared.get());
    // Asked for bold, fontconfig reports a regular face as bold and sets embolden instead, so
    // both must be read.
    int weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(prepared.get(), FC_WEIGHT, 0, &weight);
    FcBool embolden = FcFalse;
    FcPatternGetBool(prepared.get(), FC_EMBOLDEN, 0, &embolden);
    choice.SynthesizeBold = embolden == FcTrue || weight < FC_WEIGHT_BOLD;
    return choice;
}

}  // namespace

FontChoice FindLabelFont() {
    if (FcInit() != FcTrue) {
        return {};
    }
    const PatternPtr pattern = MakeLabelPattern();
    FcResult result = FcResultNoMatch;
    const FontSetPtr sorted(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    if (!sorted || sorted->nfont == 0) {
        return {};
    }
    FcPattern* face = FirstKanaFace(*sorted);
    return Describe(pattern.get(), face != nullptr ? face : sorted->fonts[0]);
}

}  // namespace volley
