#include "device/DJFont.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <iconv.h>

#include <array>
#include <cstdio>
#include <unordered_map>
#include <vector>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

int DJFont::m_iScr = 0;

namespace {

// The family every text of the game is laid out for, and where Debian ships it.
constexpr const char* kFamily = "IPAGothic:lang=ja";
constexpr const char* kPackage = "fonts-ipafont-gothic";
// Characters a face must have to draw the game's texts: a kana and a kanji.
constexpr FT_ULong kProbe[] = {0x3042, 0x99C5};

// The font file chosen for new fonts, and the FreeType library that opens it.
// Both live until the program ends.
struct FontSource {
    FT_Library library = nullptr;
    bool chosen = false;
    std::string path;
};

FontSource& fontSource() {
    static FontSource source;
    if (!source.library && FT_Init_FreeType(&source.library) != 0) source.library = nullptr;
    return source;
}

// The file the system's font configuration picks for the game's family.
std::string configuredFontFile() {
    std::string file;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(kFamily));
    if (pattern) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        if (match) {
            FcChar8* name = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch && name) {
                file = reinterpret_cast<const char*>(name);
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return file;
}

// Whether the file opens and holds the Japanese glyphs the game needs.
bool holdsJapanese(FT_Library library, const std::string& path) {
    if (!library || path.empty()) return false;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return false;
    bool all = true;
    for (FT_ULong c : kProbe)
        all = all && FT_Get_Char_Index(face, c) != 0;
    FT_Done_Face(face);
    return all;
}

bool choose(const std::string& path) {
    FontSource& source = fontSource();
    source.path = path.empty() ? configuredFontFile() : path;
    source.chosen = true;
    const bool japanese = holdsJapanese(source.library, source.path);
    if (!japanese) {
        std::fprintf(stderr,
                     "valmore: no usable Japanese font found (IPAGothic); install the Debian "
                     "package %s. Texts are drawn with the glyphs available.\n",
                     kPackage);
    }
    return japanese;
}

bool isLeadByte(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The fallback decoder when the C library has no code page 932 converter: ASCII
// and half-width katakana only.
int32_t decodeWithoutIconv(int code) {
    if (code < 0x80) return code;
    if (code >= 0xA1 && code <= 0xDF) return 0xFF61 + (code - 0xA1);
    return -1;
}

int32_t decode(int code) {
    static iconv_t cd = iconv_open("UTF-32LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return decodeWithoutIconv(code);
    char in[2];
    size_t inLeft = 0;
    if (code < 256) {
        in[0] = static_cast<char>(code);
        inLeft = 1;
    } else {
        in[0] = static_cast<char>(code >> 8);
        in[1] = static_cast<char>(code & 0xFF);
        inLeft = 2;
    }
    unsigned char out[8];
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 ||
        sizeof out - outLeft != 4) {
        return -1;
    }
    return static_cast<int32_t>(out[0] | out[1] << 8 | out[2] << 16 | uint32_t{out[3]} << 24);
}

uint32_t blend(uint32_t dst, uint32_t src, unsigned a) {
    if (a >= 255) return src;
    uint32_t result = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned d = (dst >> shift) & 0xFF;
        const unsigned s = (src >> shift) & 0xFF;
        result |= ((s * a + d * (255 - a) + 127) / 255) << shift;
    }
    return result;
}

}  // namespace

// A face opened at one pixel height, with the glyphs drawn so far.
struct DJFont::Face {
    // A glyph's coverage placed relative to the top-left corner of its cell.
    struct Glyph {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        std::vector<uint8_t> coverage;
    };

    FT_Face face = nullptr;
    int size = 0;
    int baseline = 0;
    std::unordered_map<int, Glyph> glyphs;

    Face() = default;
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;
    ~Face() {
        if (face) FT_Done_Face(face);
    }

    const Glyph& glyph(int code, int cellWidth);
};

const DJFont::Face::Glyph& DJFont::Face::glyph(int code, int cellWidth) {
    auto found = glyphs.find(code);
    if (found != glyphs.end()) return found->second;
    Glyph& g = glyphs[code];
    const int32_t unicode = code < 0x20 ? -1 : toUnicode(code);
    if (unicode < 0) return g;
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(unicode));
    if (index == 0) return g;
    if (FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_NORMAL) != 0) return g;
    FT_GlyphSlot slot = face->glyph;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return g;
    const int advance = static_cast<int>((slot->advance.x + 32) >> 6);
    // A glyph narrower or wider than its cell is centred in it.
    const int pen = advance != cellWidth ? (cellWidth - advance) / 2 : 0;
    const FT_Bitmap& bitmap = slot->bitmap;
    g.left = pen + slot->bitmap_left;
    g.top = baseline - slot->bitmap_top;
    g.width = static_cast<int>(bitmap.width);
    g.height = static_cast<int>(bitmap.rows);
    g.coverage.assign(static_cast<size_t>(g.width) * g.height, 0);
    for (int row = 0; row < g.height; row++) {
        const unsigned char* src = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
        for (int col = 0; col < g.width; col++) {
            uint8_t a = 0;
            if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                a = (src[col >> 3] & (0x80 >> (col & 7))) ? 255 : 0;
            } else if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                a = src[col];
            }
            g.coverage[static_cast<size_t>(row) * g.width + col] = a;
        }
    }
    return g;
}

namespace {

std::shared_ptr<DJFont::Face> openFace(int size) {
    FontSource& source = fontSource();
    if (!source.chosen) choose(std::string());
    if (!source.library || source.path.empty() || size <= 0) return nullptr;
    auto face = std::make_shared<DJFont::Face>();
    if (FT_New_Face(source.library, source.path.c_str(), 0, &face->face) != 0) {
        face->face = nullptr;
        return nullptr;
    }
    if (FT_Set_Pixel_Sizes(face->face, 0, static_cast<FT_UInt>(size)) != 0) return nullptr;
    face->size = size;
    // The baseline comes from the design's typographic ascender, not from the
    // hinted one, so that ascenders and descenders both stay inside the cell.
    const FT_Face f = face->face;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(f, FT_SFNT_OS2));
    const int64_t em = f->units_per_EM;
    if (em > 0) {
        const int64_t ascender = (os2 && os2->version != 0xFFFF) ? os2->sTypoAscender : f->ascender;
        face->baseline = static_cast<int>((2 * size * ascender + em) / (2 * em));
    } else {
        face->baseline = static_cast<int>(f->size->metrics.ascender >> 6);
    }
    return face;
}

}  // namespace

// A new font of the height that the size code gives for the current canvas.
std::shared_ptr<DJFont> DJFont::getFont(int size) {
    auto font = std::make_shared<DJFont>();
    switch (size) {
        case SIZE_MEDIUM:
            font->m_iSize = m_iScr / 20 * 2;
            break;
        case SIZE_SMALL:
            font->m_iSize = m_iScr / 30 * 2;
            break;
        case SIZE_TINY:
            font->m_iSize = m_iScr / 40 * 2;
            break;
        default:
            font->m_iSize = 0;
            break;
    }
    font->m_hf = openFace(font->m_iSize);
    return font;
}

int DJFont::getBaseline() const {
    return m_hf ? m_hf->baseline : 0;
}

// Lays the text out cell by cell (half the height per byte) and blends each glyph.
void DJFont::drawText(uint32_t* pixels, int width, int height, const char* text, int len, int x,
                      int y, int color) const {
    if (!m_hf || !pixels || !text || width <= 0 || height <= 0) return;
    const uint32_t src = 0xFF000000u | (static_cast<uint32_t>(color) & 0xFFFFFFu);
    int64_t cx = x;
    for (int i = 0; i < len && cx < width;) {
        const unsigned b = static_cast<unsigned char>(text[i]);
        if (b == 0) break;
        int code = static_cast<int>(b);
        int cell = m_iSize / 2;
        if (isLeadByte(b) && i + 1 < len && text[i + 1] != 0) {
            code = static_cast<int>(b << 8 | static_cast<unsigned char>(text[i + 1]));
            cell = m_iSize;
            i += 2;
        } else {
            i += 1;
        }
        const Face::Glyph& g = m_hf->glyph(code, cell);
        for (int row = 0; row < g.height; row++) {
            const int64_t py = int64_t{y} + g.top + row;
            if (py < 0 || py >= height) continue;
            uint32_t* line = pixels + py * width;
            for (int col = 0; col < g.width; col++) {
                const int64_t px = cx + g.left + col;
                if (px < 0 || px >= width) continue;
                const unsigned a = g.coverage[static_cast<size_t>(row) * g.width + col];
                if (a != 0) line[px] = blend(line[px], src, a);
            }
        }
        cx += cell;
    }
}

bool DJFont::useFontFile(const std::string& path) {
    return choose(path);
}

// Decodes each character once; later calls read the table.
int32_t DJFont::toUnicode(int code) {
    constexpr int32_t kUnknown = -2;
    static std::vector<int32_t> table(65536, kUnknown);
    if (code < 0 || code > 0xFFFF) return -1;
    if (code >= 256 && !isLeadByte(static_cast<unsigned>(code) >> 8)) return -1;
    int32_t& entry = table[static_cast<size_t>(code)];
    if (entry == kUnknown) entry = decode(code);
    return entry;
}
