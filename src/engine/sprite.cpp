// Textures, sprites, blending and the 2D camera.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "engine/canvas.h"
#include "engine/picture_file.h"
#include "engine/render_target.h"
#include "engine/state.h"

namespace {

SDL_BlendMode CurrentBlend() { return Engine().draw.blendMode == 1 ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND; }

// An opaque picture laid unturned at full alpha over the screen replaces what
// is under it, so it is copied without the per-pixel blend, which costs the
// software renderer most of a frame. Turned copies keep blending: their
// corners are transparent.
SDL_BlendMode BlendFor(bool opaque, int alpha, float angle) {
    const SDL_BlendMode blend = CurrentBlend();
    return blend == SDL_BLENDMODE_BLEND && opaque && alpha == 255 && angle == 0 ? SDL_BLENDMODE_NONE : blend;
}

// Whether every pixel of the picture has alpha 255.
bool AllOpaque(const uint32_t* argb, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if ((argb[i] >> 24) != 0xFF) return false;
    }
    return true;
}

bool SurfaceOpaque(SDL_Surface* surface) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!argb) return false;
    bool opaque = true;
    for (int y = 0; y < argb->h && opaque; ++y) {
        opaque = AllOpaque(reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) +
                                                             static_cast<size_t>(y) * argb->pitch),
                           argb->w);
    }
    SDL_FreeSurface(argb);
    return opaque;
}

// Multiplies two 0xBBGGRR colours channel by channel.
int MixColours(int a, int b) {
    int result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        result |= ((ca * cb + 127) / 255) << shift;
    }
    return result;
}

struct Corner {
    float x, y;  // screen position
    float u, v;  // texture coordinate
    int colour;  // 0xBBGGRR
    int alpha;   // 0..255
};

SDL_Vertex VertexOf(const Corner& c) {
    const SDL_Color col = ColourOf(c.colour, c.alpha);
    return SDL_Vertex{SDL_FPoint{c.x, c.y}, col, SDL_FPoint{c.u, c.v}};
}

Corner Lerp(const Corner& a, const Corner& b, float t) {
    const auto mixChannel = [t](int ca, int cb, int shift) {
        const float x = ((ca >> shift) & 0xFF) * (1 - t) + ((cb >> shift) & 0xFF) * t;
        return static_cast<int>(std::lround(x)) << shift;
    };
    return Corner{
        a.x + (b.x - a.x) * t,
        a.y + (b.y - a.y) * t,
        a.u + (b.u - a.u) * t,
        a.v + (b.v - a.v) * t,
        mixChannel(a.colour, b.colour, 0) | mixChannel(a.colour, b.colour, 8) | mixChannel(a.colour, b.colour, 16),
        static_cast<int>(std::lround(a.alpha * (1 - t) + b.alpha * t))};
}

// Draws the quad tl, tr, br, bl. Texture mapping is affine per triangle, so a
// quad whose corners moved independently (wobbling water) is cut into a grid
// to hide the seam along the diagonal.
void DrawQuad(SDL_Texture* texture, const std::array<Corner, 4>& q, bool subdivide) {
    SDL_Renderer* r = Engine().renderer;
    if (!subdivide) {
        const SDL_Vertex v[4] = {VertexOf(q[0]), VertexOf(q[1]), VertexOf(q[2]), VertexOf(q[3])};
        static const int indices[6] = {0, 1, 2, 0, 2, 3};
        SDL_RenderGeometry(r, texture, v, 4, indices, 6);
        return;
    }
    constexpr int n = 6;
    SDL_Vertex v[(n + 1) * (n + 1)];
    int indices[n * n * 6];
    for (int j = 0; j <= n; ++j) {
        const float t = static_cast<float>(j) / n;
        const Corner left = Lerp(q[0], q[3], t), right = Lerp(q[1], q[2], t);
        for (int i = 0; i <= n; ++i) v[j * (n + 1) + i] = VertexOf(Lerp(left, right, static_cast<float>(i) / n));
    }
    int k = 0;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            const int a = j * (n + 1) + i, b = a + 1, c = a + n + 2, d = a + n + 1;
            for (int idx : {a, b, c, a, c, d}) indices[k++] = idx;
        }
    }
    SDL_RenderGeometry(r, texture, v, (n + 1) * (n + 1), indices, k);
}

// Sprites with per-corner colours are slow through geometry on the software
// renderer, and the world's corner colours stay fixed once a track is lit:
// so each texture is shaded once per set of corner colours into a texture of
// its own, which is then copied like a plain sprite. The least recently used
// are released when the cache outgrows its budget.
struct ShadedCopy {
    SDL_Texture* texture = nullptr;  // nullptr when the renderer cannot make one
    bool opaque = false;
    BlitPixels readable;
};

class LitSprites {
  public:
    // The shaded copy of `source`, whose pixels are `readable` where the
    // renderer lets them be read.
    ShadedCopy Get(SDL_Texture* source, const BlitPixels& readable, bool sourceOpaque, const std::array<Corner, 4>& q) {
        Key key{source, {}};
        for (int k = 0; k < 4; ++k)
            key.corners[k] = (static_cast<uint32_t>(q[k].alpha) << 24) | (q[k].colour & 0xFFFFFF);
        const auto it = entries_.find(key);
        if (it != entries_.end()) {
            it->second.lastUse = ++clock_;
            return it->second.copy;
        }
        int w = 0, h = 0;
        if (SDL_QueryTexture(source, nullptr, nullptr, &w, &h) != 0) return {};
        ShadedCopy copy;
        copy.texture = Shade(source, readable, q, w, h, copy.readable);
        if (!copy.texture) return {};
        // The shaded corners of an opaque picture may still leave an edge
        // pixel unpainted, so the copy itself is looked at once.
        copy.opaque = sourceOpaque && q[0].alpha == 255 && q[1].alpha == 255 && q[2].alpha == 255 &&
                      q[3].alpha == 255 && AllOpaque(pixels_.data(), pixels_.size());
        bytes_ += static_cast<size_t>(w) * h * 4;
        entries_.emplace(key, Entry{copy, ++clock_, static_cast<size_t>(w) * h * 4});
        if (bytes_ > kBudget) Trim();
        return copy;
    }

    void Clear() {
        for (auto& [key, entry] : entries_) SDL_DestroyTexture(entry.copy.texture);
        entries_.clear();
        sources_.clear();
        bytes_ = 0;
    }

  private:
    // Most sprites on screen are lit alike at all four corners and need no
    // copy; the ground's copies serve only while a square of it is drawn.
    static constexpr size_t kBudget = 12u << 20;
    static constexpr int kChecks = 8;  // new copies compared with the renderer's own drawing

    struct Key {
        SDL_Texture* source;
        std::array<uint32_t, 4> corners;  // alpha << 24 | 0xBBGGRR
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& k) const {
            size_t h = std::hash<const void*>{}(k.source);
            for (uint32_t c : k.corners) h = h * 1000003u ^ c;
            return h;
        }
    };
    struct Entry {
        ShadedCopy copy;
        uint64_t lastUse;
        size_t bytes;
    };

    // The shaded copy, its pixels left in pixels_. On the software renderer
    // they are laid here, the first few checked against the renderer's own;
    // after a difference the renderer draws every copy.
    SDL_Texture* Shade(SDL_Texture* source, const BlitPixels& sourcePixels, const std::array<Corner, 4>& q, int w,
                       int h, BlitPixels& readable) {
        SDL_Renderer* r = Engine().renderer;
        const uint32_t* pixels = broken_ || !SoftwareRenderer(r) ? nullptr : SourcePixels(source, sourcePixels, w, h);
        if (!pixels) return Draw(source, q, w, h, pixels_);
        const std::array<SDL_Color, 4> corners{ColourOf(q[0].colour, q[0].alpha), ColourOf(q[1].colour, q[1].alpha),
                                               ColourOf(q[2].colour, q[2].alpha), ColourOf(q[3].colour, q[3].alpha)};
        pixels_.resize(static_cast<size_t>(w) * h);
        Shading_Lay(pixels, w, h, corners, pixels_.data());
        if (checked_ < kChecks) {
            SDL_Texture* drawn = Draw(source, q, w, h, drawn_);
            if (drawn_ != pixels_) broken_ = true;
            ++checked_;
            pixels_.swap(drawn_);
            return drawn;
        }
        return Blit_CreateTexture(r, w, h, pixels_.data(), w * 4, readable);
    }

    // The source's own pixels: read in place where they lie in rows of
    // their width, else read once through a render target and kept.
    const uint32_t* SourcePixels(SDL_Texture* source, const BlitPixels& readable, int w, int h) {
        if (readable.pixels && readable.pitch == w * 4) return readable.pixels;
        const auto it = sources_.find(source);
        if (it != sources_.end()) return it->second.data();
        std::vector<uint32_t> pixels;
        const RenderTarget target(SDL_PIXELFORMAT_ARGB8888, w, h);
        if (!target.ok()) return nullptr;
        SDL_SetTextureBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_SetTextureColorMod(source, 255, 255, 255);
        SDL_SetTextureAlphaMod(source, 255);
        SDL_RenderCopy(Engine().renderer, source, nullptr, nullptr);
        return target.Read(pixels) ? sources_.emplace(source, std::move(pixels)).first->second.data() : nullptr;
    }

    // Draws the source with its corner colours into a transparent texture of
    // the source's size, replacing rather than blending, so the copy carries
    // the shaded colour and alpha of every pixel.
    static SDL_Texture* Draw(SDL_Texture* source, const std::array<Corner, 4>& q, int w, int h,
                             std::vector<uint32_t>& out) {
        RenderTarget shaded(SDL_PIXELFORMAT_ARGB8888, w, h);
        if (!shaded.ok()) return nullptr;
        SDL_SetTextureBlendMode(source, SDL_BLENDMODE_NONE);
        const float fw = static_cast<float>(w), fh = static_cast<float>(h);
        const std::array<Corner, 4> local{
            Corner{0, 0, 0, 0, q[0].colour, q[0].alpha}, Corner{fw, 0, 1, 0, q[1].colour, q[1].alpha},
            Corner{fw, fh, 1, 1, q[2].colour, q[2].alpha}, Corner{0, fh, 0, 1, q[3].colour, q[3].alpha}};
        DrawQuad(source, local, false);
        // Unread pixels count as transparent: the copy is then not opaque.
        if (!shaded.Read(out)) out.assign(out.size(), 0);
        return shaded.Keep();
    }

    void Trim() {
        std::vector<std::pair<uint64_t, Key>> byAge;
        byAge.reserve(entries_.size());
        for (const auto& [key, entry] : entries_) byAge.emplace_back(entry.lastUse, key);
        std::sort(byAge.begin(), byAge.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [age, key] : byAge) {
            if (bytes_ <= kBudget * 3 / 4) break;
            const auto it = entries_.find(key);
            bytes_ -= it->second.bytes;
            SDL_DestroyTexture(it->second.copy.texture);
            entries_.erase(it);
        }
        // The pixels of a source with no copy left are read again if it is
        // lit again.
        std::erase_if(sources_, [this](const auto& source) {
            return std::none_of(entries_.begin(), entries_.end(),
                                [&](const auto& entry) { return entry.first.source == source.first; });
        });
    }

    std::unordered_map<Key, Entry, KeyHash> entries_;
    std::unordered_map<SDL_Texture*, std::vector<uint32_t>> sources_;
    static inline std::vector<uint32_t> pixels_, drawn_;  // kept between copies
    size_t bytes_ = 0;
    uint64_t clock_ = 0;
    int checked_ = 0;
    bool broken_ = false;
};

LitSprites& Lit() {
    static LitSprites cache;
    return cache;
}

// Whether the corner offsets keep the sprite an upright rectangle (a shadow
// raised at the top, say), which a plain scaled copy can draw.
bool StaysRectangular(const std::array<int, 8>& o) {
    return o[0] == o[6] && o[2] == o[4] && o[1] == o[3] && o[5] == o[7];
}

bool Uniform(const std::array<Corner, 4>& q) {
    for (int k = 1; k < 4; ++k) {
        if (q[k].colour != q[0].colour || q[k].alpha != q[0].alpha) return false;
    }
    return true;
}

// Copies `texture` onto the rectangle, turned by `angle` about `centre`.
void CopyTurned(SDL_Texture* texture, const BlitPixels& readable, const SDL_FRect& dst, float angle,
                SDL_FPoint centre) {
    SDL_Renderer* r = Engine().renderer;
    int w = 0, h = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &w, &h);
    if (angle == 0 && Blit_CopyPart(texture, readable, SDL_Rect{0, 0, w, h}, dst)) return;
    if (angle == 0) {
        SDL_RenderCopyF(r, texture, nullptr, &dst);
    } else {
        SDL_RenderCopyExF(r, texture, nullptr, &dst, angle, &centre, SDL_FLIP_NONE);
    }
}

}  // namespace

void Sprite_ReleaseCache() {
    Lit().Clear();
    Canvas_Clear();
}

namespace {

// The renderer's texture of a decoded picture.
OE_TextureData::Pixels Upload(SDL_Surface* surface) {
    OE_TextureData::Pixels pixels;
    pixels.texture = Blit_CreateTexture(Engine().renderer, surface, pixels.readable);
    pixels.opaque = SurfaceOpaque(surface);
    return pixels;
}

void SayUnloadable(const std::string& path, const std::string& error) {
    std::fprintf(stderr, "kolvetra: cannot load the picture %s: %s\n", path.c_str(), error.c_str());
}

}  // namespace

OE_TextureData::~OE_TextureData() {
    if (pixels_.texture) SDL_DestroyTexture(pixels_.texture);
}

const OE_TextureData::Pixels& OE_TextureData::Decoded() {
    if (decoded_) return pixels_;
    decoded_ = true;
    std::string error;
    SDL_Surface* surface = LoadPicture(path_, error);
    if (surface) {
        pixels_ = Upload(surface);
        if (!pixels_.texture) error = SDL_GetError();
        SDL_FreeSurface(surface);
    }
    if (!pixels_.texture) SayUnloadable(path_, error);
    return pixels_;
}

OE_Texture* Tex_LoadFromFile(std::string_view file, int, int) {
    EngineState& e = Engine();
    Screen_Open();
    auto texture = std::make_unique<OE_Texture>();
    const std::string path(file);
    std::string error;
    PictureSize size;
    if (ReadPictureSize(path, size, error)) {
        e.textureData.push_back(std::make_unique<OE_TextureData>(path));
        texture->data = e.textureData.back().get();
        texture->width = size.width;
        texture->height = size.height;
    } else {
        SayUnloadable(path, error);
    }
    e.textures.push_back(std::move(texture));
    return e.textures.back().get();
}

void SSprite_Draw(const OE_Texture* texture, int x, int y, int width, int height, int alpha, float angle, int flags) {
    EngineState& e = Engine();
    if (!texture || !texture->data || !e.renderer) return;
    const OE_TextureData::Pixels& pixels = texture->data->Decoded();
    if (!pixels.texture) return;
    SDL_Texture* tex = pixels.texture;
    const bool opaque = pixels.opaque;
    const DrawState& d = e.draw;
    x -= CameraX();
    y -= CameraY();
    alpha &= 0xFF;
    const int mix = (flags & FX_COLORMIX) ? d.colorMix : 0xFFFFFF;

    // The common case needs no per-corner data: a plain (rotated) copy.
    if (!(flags & (FX_VERTEXOFFSET | FX_VERTEXCOLOR))) {
        const SDL_Color c = ColourOf(mix, alpha);
        SDL_SetTextureBlendMode(tex, BlendFor(opaque, c.a, angle));
        SDL_SetTextureColorMod(tex, c.r, c.g, c.b);
        SDL_SetTextureAlphaMod(tex, c.a);
        const SDL_Rect dst{x, y, width, height};
        if (angle == 0) {
            if (!Blit_Copy(tex, pixels.readable, dst)) SDL_RenderCopy(e.renderer, tex, nullptr, &dst);
        } else {
            SDL_RenderCopyEx(e.renderer, tex, nullptr, &dst, angle, nullptr, SDL_FLIP_NONE);
        }
        return;
    }

    std::array<Corner, 4> q{Corner{float(x), float(y), 0, 0, mix, alpha},
                            Corner{float(x + width), float(y), 1, 0, mix, alpha},
                            Corner{float(x + width), float(y + height), 1, 1, mix, alpha},
                            Corner{float(x), float(y + height), 0, 1, mix, alpha}};
    bool affine = true;
    bool rectangular = true;
    if (flags & FX_VERTEXOFFSET) {
        for (int k = 0; k < 4; ++k) {
            q[k].x += d.vertexOffsets[2 * k];
            q[k].y += d.vertexOffsets[2 * k + 1];
        }
        const auto& o = d.vertexOffsets;
        affine = o[0] + o[4] == o[2] + o[6] && o[1] + o[5] == o[3] + o[7];
        rectangular = StaysRectangular(o);
    }
    if (flags & FX_VERTEXCOLOR) {
        for (int k = 0; k < 4; ++k) {
            q[k].colour = MixColours(q[k].colour, d.cornerColours[k]);
            q[k].alpha = (q[k].alpha * (d.cornerAlphas[k] & 0xFF) + 127) / 255;
        }
    }

    // Fully transparent corners add nothing in either blend mode (the
    // shadows of objects far from every lamp).
    if (q[0].alpha == 0 && q[1].alpha == 0 && q[2].alpha == 0 && q[3].alpha == 0) return;

    // Upright rectangles are copied, turned about the sprite's own centre as
    // the corners below would be: one colour through the texture's colour
    // modulation, several through a shaded copy made once.
    const SDL_FRect dst{q[0].x, q[0].y, q[2].x - q[0].x, q[2].y - q[0].y};
    if (rectangular && dst.w > 0 && dst.h > 0) {
        ShadedCopy copy{tex, opaque, pixels.readable};
        SDL_Color c{255, 255, 255, 255};
        if (Uniform(q)) {
            c = ColourOf(q[0].colour, q[0].alpha);
        } else {
            copy = Lit().Get(tex, pixels.readable, opaque, q);
        }
        const SDL_FPoint centre{x + width / 2.0f - dst.x, y + height / 2.0f - dst.y};
        const bool black = (c.r | c.g | c.b) == 0 && CurrentBlend() == SDL_BLENDMODE_BLEND;
        if (copy.texture && angle != 0 && black && Silhouette_Draw(copy.texture, dst, angle, centre, c.a)) return;
        if (copy.texture) {
            SDL_SetTextureBlendMode(copy.texture, BlendFor(copy.opaque, c.a, angle));
            SDL_SetTextureColorMod(copy.texture, c.r, c.g, c.b);
            SDL_SetTextureAlphaMod(copy.texture, c.a);
            CopyTurned(copy.texture, copy.readable, dst, angle, centre);
            return;
        }
    }

    SDL_SetTextureBlendMode(tex, CurrentBlend());
    SDL_SetTextureColorMod(tex, 255, 255, 255);
    SDL_SetTextureAlphaMod(tex, 255);
    if (angle != 0) {
        const float cx = x + width / 2.0f, cy = y + height / 2.0f;
        const float c = M_Cos(angle), s = M_Sin(angle);
        for (Corner& k : q) {
            const float dx = k.x - cx, dy = k.y - cy;
            k.x = cx + dx * c - dy * s;
            k.y = cy + dx * s + dy * c;
        }
    }
    DrawQuad(tex, q, !affine);
}

void FX_SetBlendMode(int mode) { Engine().draw.blendMode = mode; }
void FX_SetColorMix(int colour) { Engine().draw.colorMix = colour; }

void FX_SetVertexes(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Engine().draw.vertexOffsets = {x1, y1, x2, y2, x3, y3, x4, y4};
}

void FX_SetVCA(int c1, int c2, int c3, int c4, int a1, int a2, int a3, int a4) {
    Engine().draw.cornerColours = {c1, c2, c3, c4};
    Engine().draw.cornerAlphas = {a1, a2, a3, a4};
}

OE_Camera* Cam2D_Create() {
    EngineState& e = Engine();
    e.cameras.push_back(std::make_unique<OE_Camera>());
    return e.cameras.back().get();
}

void Cam2D_Set(OE_Camera* camera) { Engine().camera = camera; }
OE_Camera* Cam2D_Get() { return Engine().camera; }

// ---------------------------------------------------------------- primitives

namespace {

void SetDrawColour(int colour, int alpha) {
    const SDL_Color c = ColourOf(colour, alpha);
    SDL_SetRenderDrawBlendMode(Engine().renderer, BlendFor(true, c.a, 0));
    SDL_SetRenderDrawColor(Engine().renderer, c.r, c.g, c.b, c.a);
}

void ThickLine(float x1, float y1, float x2, float y2, int colour, int alpha, int width) {
    const float dx = x2 - x1, dy = y2 - y1;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len == 0) return;
    const float nx = -dy / len * width / 2.0f, ny = dx / len * width / 2.0f;
    const SDL_Color c = ColourOf(colour, alpha);
    const SDL_Vertex v[4] = {{{x1 + nx, y1 + ny}, c, {0, 0}},
                             {{x2 + nx, y2 + ny}, c, {0, 0}},
                             {{x2 - nx, y2 - ny}, c, {0, 0}},
                             {{x1 - nx, y1 - ny}, c, {0, 0}}};
    static const int indices[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(Engine().renderer, nullptr, v, 4, indices, 6);
}

void Line(int x1, int y1, int x2, int y2, int colour, int alpha) {
    EngineState& e = Engine();
    if (!e.renderer) return;
    x1 -= CameraX();
    x2 -= CameraX();
    y1 -= CameraY();
    y2 -= CameraY();
    if (e.draw.lineWidth <= 1) {
        SetDrawColour(colour, alpha);
        SDL_RenderDrawLine(e.renderer, x1, y1, x2, y2);
    } else {
        ThickLine(float(x1), float(y1), float(x2), float(y2), colour, alpha, e.draw.lineWidth);
    }
}

}  // namespace

void Pr2D_Rect(int x, int y, int width, int height, int colour, int alpha, int filled) {
    EngineState& e = Engine();
    if (!e.renderer) return;
    SetDrawColour(colour, alpha);
    const SDL_Rect rect{x - CameraX(), y - CameraY(), width, height};
    if (filled) {
        SDL_RenderFillRect(e.renderer, &rect);
    } else {
        SDL_RenderDrawRect(e.renderer, &rect);
    }
}

void Pr2D_Line(int x1, int y1, int x2, int y2, int colour, int alpha, int) { Line(x1, y1, x2, y2, colour, alpha); }

void Pr2D_Circle(int x, int y, int radius, int colour, int alpha, int segments, int) {
    if (segments < 3) segments = 3;
    int px = x + radius, py = y;
    for (int i = 1; i <= segments; ++i) {
        const float a = 360.0f * i / segments;
        const int nx = x + static_cast<int>(std::lround(radius * M_Cos(a)));
        const int ny = y + static_cast<int>(std::lround(radius * M_Sin(a)));
        Line(px, py, nx, ny, colour, alpha);
        px = nx;
        py = ny;
    }
}

void Pr2D_LineWidth(int width) { Engine().draw.lineWidth = width < 1 ? 1 : width; }
