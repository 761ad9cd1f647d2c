// Blending sprites onto the screen by the game's own code. SDL blends a
// sprite tinted by colour or alpha (or scaled), or adds one (glows and
// sparks), through a generated blitter that modulates, premultiplies and
// blends or adds each channel, dividing by 255 rounding down at every step;
// it blends an untinted one through a blitter that halves by 256 instead,
// copying opaque pixels and skipping clear ones. All are done here four
// pixels at a time, to the same bits.
#include "engine/blend_blit.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/state.h"

namespace {

enum class Mode { Plain, Tinted, Added };

// One sprite's pixels to lay, worked out from its place and the clip.
struct Job {
    Mode mode = Mode::Tinted;
    SDL_Color mod{255, 255, 255, 255};
    uint32_t alphaMask = 0xFFFFFFFFu;  // a screen without alpha gets 0 there
    const uint8_t* source = nullptr;   // first pixel laid; scaled, the picture's top-left
    int sourcePitch = 0;
    int width = 0, height = 0;  // screen pixels laid
    bool scaled = false;
    int incx = 0, incy = 0;  // source step per screen pixel, 16.16
};

uint32_t Channel(uint32_t p, int shift) { return (p >> shift) & 0xFF; }

// A source pixel tinted: its alpha, and its blue, green and red
// premultiplied by that alpha.
struct Tinted {
    uint32_t a;
    std::array<uint32_t, 3> c;
};

Tinted Tint(uint32_t s, SDL_Color m) {
    const uint32_t a = DivideBy255((s >> 24) * m.a);
    const uint32_t mods[3] = {m.b, m.g, m.r};
    Tinted t{a, {}};
    for (int k = 0; k < 3; ++k) t.c[k] = DivideBy255(DivideBy255(Channel(s, 8 * k) * mods[k]) * a);
    return t;
}

uint32_t TintedPixel(uint32_t s, uint32_t d, SDL_Color m, uint32_t alphaMask) {
    const Tinted t = Tint(s, m);
    const uint32_t inv = 255 - t.a;
    uint32_t out = (t.a + DivideBy255(inv * (d >> 24))) << 24;
    for (int k = 0; k < 3; ++k) out |= (t.c[k] + DivideBy255(inv * Channel(d, 8 * k))) << (8 * k);
    return out & alphaMask;
}

// Adding leaves the screen's alpha as it was.
uint32_t AddedPixel(uint32_t s, uint32_t d, SDL_Color m, uint32_t alphaMask) {
    const Tinted t = Tint(s, m);
    uint32_t out = d & 0xFF000000u;
    for (int k = 0; k < 3; ++k) out |= std::min<uint32_t>(t.c[k] + Channel(d, 8 * k), 255) << (8 * k);
    return out & alphaMask;
}

uint32_t PlainPixel(uint32_t s, uint32_t d) {
    const uint32_t a = s >> 24, inv = 255 - a;
    if (a == 0) return d;
    if (a == 255) return s;
    uint32_t out = ((255 * a >> 8) + ((d >> 24) * inv >> 8)) << 24;
    for (int k = 0; k < 3; ++k) out |= ((Channel(s, 8 * k) * a >> 8) + (Channel(d, 8 * k) * inv >> 8)) << (8 * k);
    return out;
}

#if defined(__SSE2__)
__m128i Div255(__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(static_cast<short>(0x8081))), 7); }

// Two pixels, a channel in each 16-bit lane.
template <Mode kMode>
__m128i Mix2(__m128i s, __m128i d, __m128i mod) {
    if constexpr (kMode != Mode::Plain) s = Div255(_mm_mullo_epi16(s, mod));
    const __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
    // The alpha lane is kept as it is: it is scaled by 255.
    const __m128i colours = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
    const __m128i by = _mm_or_si128(_mm_and_si128(a, colours), _mm_andnot_si128(colours, _mm_set1_epi16(255)));
    s = _mm_mullo_epi16(s, by);
    if constexpr (kMode == Mode::Added) return Div255(s);
    d = _mm_mullo_epi16(d, _mm_sub_epi16(_mm_set1_epi16(255), a));
    if constexpr (kMode == Mode::Tinted) return _mm_add_epi16(Div255(s), Div255(d));
    return _mm_add_epi16(_mm_srli_epi16(s, 8), _mm_srli_epi16(d, 8));
}

template <Mode kMode>
__m128i Mix4(__m128i s, __m128i d, __m128i mod, __m128i alphaMask) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = Mix2<kMode>(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), mod);
    const __m128i hi = Mix2<kMode>(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), mod);
    const __m128i out = _mm_packus_epi16(lo, hi);
    if constexpr (kMode == Mode::Tinted) return _mm_and_si128(out, alphaMask);
    const __m128i alphas = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    if constexpr (kMode == Mode::Added)
        return _mm_and_si128(_mm_or_si128(_mm_andnot_si128(alphas, _mm_adds_epu8(out, d)), _mm_and_si128(d, alphas)),
                             alphaMask);
    const __m128i alpha = _mm_srli_epi32(s, 24);
    const __m128i clear = _mm_cmpeq_epi32(alpha, zero), opaque = _mm_cmpeq_epi32(alpha, _mm_set1_epi32(255));
    return _mm_or_si128(_mm_andnot_si128(_mm_or_si128(clear, opaque), out),
                        _mm_or_si128(_mm_and_si128(clear, d), _mm_and_si128(opaque, s)));
}
#endif

template <Mode kMode>
void MixRow(const uint32_t* src, uint32_t* dst, int n, SDL_Color m, uint32_t alphaMask) {
    int x = 0;
#if defined(__SSE2__)
    const __m128i mod = _mm_set_epi16(m.a, m.r, m.g, m.b, m.a, m.r, m.g, m.b);
    const __m128i mask = _mm_set1_epi32(static_cast<int>(alphaMask));
    const __m128i alphas = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    // Clear pixels leave the screen as it is, unless its alpha is cleared.
    const bool clearSkips = kMode == Mode::Plain || alphaMask == 0xFFFFFFFFu;
    for (; x + 4 <= n; x += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x));
        const __m128i alpha = _mm_and_si128(s, alphas);
        if (clearSkips && _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, _mm_setzero_si128())) == 0xFFFF) continue;
        // Opaque untinted pixels replace the screen's.
        if (kMode == Mode::Plain && _mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphas)) == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), s);
            continue;
        }
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + x), Mix4<kMode>(s, d, mod, mask));
    }
#endif
    for (; x < n; ++x) {
        if constexpr (kMode == Mode::Plain) dst[x] = PlainPixel(src[x], dst[x]);
        if constexpr (kMode == Mode::Tinted) dst[x] = TintedPixel(src[x], dst[x], m, alphaMask);
        if constexpr (kMode == Mode::Added) dst[x] = AddedPixel(src[x], dst[x], m, alphaMask);
    }
}

// Lays the job with its first pixel at `out`.
void Lay(const Job& j, uint8_t* out, int outPitch) {
    static std::vector<uint32_t> gathered;  // a scaled row's source pixels, kept between sprites
    if (j.scaled && gathered.size() < static_cast<size_t>(j.width)) gathered.resize(j.width);
    uint32_t posy = j.incy / 2;
    for (int y = 0; y < j.height; ++y) {
        const uint32_t* src = reinterpret_cast<const uint32_t*>(j.source + static_cast<size_t>(y) * j.sourcePitch);
        if (j.scaled) {
            const uint32_t* line =
                reinterpret_cast<const uint32_t*>(j.source + static_cast<size_t>(posy >> 16) * j.sourcePitch);
            uint32_t posx = j.incx / 2;
            for (int x = 0; x < j.width; ++x, posx += j.incx) gathered[x] = line[posx >> 16];
            posy += j.incy;
            src = gathered.data();
        }
        uint32_t* dst = reinterpret_cast<uint32_t*>(out + static_cast<size_t>(y) * outPitch);
        switch (j.mode) {
            case Mode::Plain: MixRow<Mode::Plain>(src, dst, j.width, j.mod, j.alphaMask); break;
            case Mode::Tinted: MixRow<Mode::Tinted>(src, dst, j.width, j.mod, j.alphaMask); break;
            case Mode::Added: MixRow<Mode::Added>(src, dst, j.width, j.mod, j.alphaMask); break;
        }
    }
}

bool Inside(const SDL_Rect& r, int x, int y, int w, int h) {
    return r.x >= x && r.y >= y && r.x + r.w <= x + w && r.y + r.h <= y + h;
}

// What SDL's blit of the picture onto `dst`, clipped to `clip`, lays, and
// where (`laid`); false where it is not laid here.
bool Plan(const BlitPixels& source, int w, int h, SDL_Color mod, SDL_BlendMode blend, const SDL_Rect& dst,
          const SDL_Rect& clip, const SDL_Surface* screen, Job& job, SDL_Rect& laid) {
    const uint32_t format = screen->format->format;
    if (!source.pixels || w <= 0 || h <= 0 || dst.w <= 0 || dst.h <= 0 ||
        (blend != SDL_BLENDMODE_BLEND && blend != SDL_BLENDMODE_ADD) ||
        (format != SDL_PIXELFORMAT_ARGB8888 && format != SDL_PIXELFORMAT_RGB888))
        return false;
    job = Job{};
    job.alphaMask = format == SDL_PIXELFORMAT_ARGB8888 ? 0xFFFFFFFFu : 0x00FFFFFFu;
    job.scaled = dst.w != w || dst.h != h;
    if (blend == SDL_BLENDMODE_ADD) {
        job.mode = Mode::Added;
    } else {
        job.mode = job.scaled || (mod.r & mod.g & mod.b & mod.a) != 255 ? Mode::Tinted : Mode::Plain;
    }
    job.mod = mod;
    job.sourcePitch = source.pitch;
    const uint8_t* pixels = reinterpret_cast<const uint8_t*>(source.pixels);
    if (job.scaled) {
        // Only whole: a clipped scaled sprite steps through its source
        // from a rounded start. The renderer scales one reaching off the
        // screen through a picture of its own.
        constexpr int kMost = 65535;
        if (w > kMost || h > kMost || dst.w > kMost || dst.h > kMost || !Inside(dst, clip.x, clip.y, clip.w, clip.h) ||
            !Inside(dst, 0, 0, screen->w, screen->h))
            return false;
        laid = dst;
        job.incx = (w << 16) / dst.w;
        job.incy = (h << 16) / dst.h;
        job.source = pixels;
    } else {
        if (!SDL_IntersectRect(&dst, &clip, &laid)) return false;
        job.source = pixels + static_cast<size_t>(laid.y - dst.y) * source.pitch + (laid.x - dst.x) * 4;
    }
    job.width = laid.w;
    job.height = laid.h;
    return true;
}

uint8_t* At(SDL_Surface* s, int x, int y) { return static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 4; }

// The ways of laying sprites, each trusted after the renderer drew the same
// pixels the first few times.
class Ways {
  public:
    // `part` and `to` as given to the renderer, `at` on its surface.
    bool Copy(SDL_Renderer* r, SDL_Texture* texture, const SDL_Rect& part, const SDL_FRect& to, const SDL_Rect& at,
              SDL_Surface* screen, const Job& job, const SDL_Rect& laid) {
        Way& way = ways_[(static_cast<int>(job.mode) * 2 + job.scaled) * 2 + (job.alphaMask == 0xFFFFFFFFu)];
        if (way.broken || SDL_RenderFlush(r) != 0) return false;
        if (way.checked < kChecks) {
            ++way.checked;
            way.broken = !LaysAsDrawn(r, texture, part, to, at, screen, job, laid);
            return true;
        }
        if (SDL_LockSurface(screen) != 0) return false;
        Lay(job, At(screen, laid.x, laid.y), screen->pitch);
        SDL_UnlockSurface(screen);
        return true;
    }

  private:
    static constexpr int kChecks = 8;
    struct Way {
        int checked = 0;
        bool broken = false;
    };

    // Lays the job over a copy of the screen under the whole sprite, clipped
    // or not, then has the renderer draw it for real and compares.
    bool LaysAsDrawn(SDL_Renderer* r, SDL_Texture* texture, const SDL_Rect& part, const SDL_FRect& to,
                     const SDL_Rect& at, SDL_Surface* screen, const Job& job, const SDL_Rect& laid) {
        SDL_Rect under;
        const SDL_Rect whole{0, 0, screen->w, screen->h};
        SDL_IntersectRect(&at, &whole, &under);
        const int pitch = under.w * 4;
        mine_.resize(static_cast<size_t>(under.w) * under.h);
        uint8_t* copy = reinterpret_cast<uint8_t*>(mine_.data());
        if (SDL_LockSurface(screen) != 0) return false;
        for (int y = 0; y < under.h; ++y) std::memcpy(copy + y * pitch, At(screen, under.x, under.y + y), pitch);
        SDL_UnlockSurface(screen);
        Lay(job, copy + (laid.y - under.y) * pitch + (laid.x - under.x) * 4, pitch);

        if (SDL_RenderCopyF(r, texture, &part, &to) != 0 || SDL_RenderFlush(r) != 0 || SDL_LockSurface(screen) != 0)
            return false;
        bool same = true;
        for (int y = 0; y < under.h && same; ++y)
            same = std::memcmp(copy + y * pitch, At(screen, under.x, under.y + y), pitch) == 0;
        SDL_UnlockSurface(screen);
        return same;
    }

    std::array<Way, 12> ways_{};  // by mode, scaled or not, screen format
    std::vector<uint32_t> mine_;  // kept between checks
};

Ways& Trusted() {
    static Ways ways;
    return ways;
}

}  // namespace

SDL_Texture* Blit_CreateTexture(SDL_Renderer* renderer, int w, int h, const uint32_t* pixels, int pitch,
                                BlitPixels& readable) {
    readable = {};
    const bool inPlace = SoftwareRenderer(renderer);
    SDL_Texture* t = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                       inPlace ? SDL_TEXTUREACCESS_STREAMING : SDL_TEXTUREACCESS_STATIC, w, h);
    if (!t) return nullptr;
    if (SDL_UpdateTexture(t, nullptr, pixels, pitch) != 0) {
        SDL_DestroyTexture(t);
        return nullptr;
    }
    // The software renderer hands out its own pixels, which stay where they are.
    void* own = nullptr;
    int ownPitch = 0;
    if (inPlace && SDL_LockTexture(t, nullptr, &own, &ownPitch) == 0) {
        readable = BlitPixels{static_cast<const uint32_t*>(own), ownPitch};
        SDL_UnlockTexture(t);
    }
    return t;
}

SDL_Texture* Blit_CreateTexture(SDL_Renderer* renderer, SDL_Surface* picture, BlitPixels& readable) {
    readable = {};
    if (picture->format->format != SDL_PIXELFORMAT_ARGB8888 || SDL_MUSTLOCK(picture) || !SoftwareRenderer(renderer))
        return SDL_CreateTextureFromSurface(renderer, picture);
    SDL_Texture* t = Blit_CreateTexture(renderer, picture->w, picture->h, static_cast<const uint32_t*>(picture->pixels),
                                        picture->pitch, readable);
    // As SDL makes a texture of a picture with alpha.
    if (t) SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    return t;
}

bool Blit_Lay(const BlitPixels& source, int w, int h, SDL_Color mod, SDL_BlendMode blend, const SDL_Rect& dst,
              SDL_Surface* screen) {
    Job job;
    SDL_Rect laid;
    if (!Plan(source, w, h, mod, blend, dst, screen->clip_rect, screen, job, laid) || SDL_LockSurface(screen) != 0)
        return false;
    Lay(job, At(screen, laid.x, laid.y), screen->pitch);
    SDL_UnlockSurface(screen);
    return true;
}

bool Blit_Copy(SDL_Texture* texture, const BlitPixels& source, const SDL_Rect& dst) {
    int w = 0, h = 0;
    if (SDL_QueryTexture(texture, nullptr, nullptr, &w, &h) != 0) return false;
    const SDL_FRect to{static_cast<float>(dst.x), static_cast<float>(dst.y), static_cast<float>(dst.w),
                       static_cast<float>(dst.h)};
    return Blit_CopyPart(texture, source, SDL_Rect{0, 0, w, h}, to);
}

bool Blit_CopyPart(SDL_Texture* texture, const BlitPixels& source, const SDL_Rect& part, const SDL_FRect& to) {
    SDL_Renderer* r = Engine().renderer;
    SDL_Surface* screen = SoftwareScreen();
    if (!source.pixels || !screen) return false;
    Uint32 format = 0;
    int w = 0, h = 0;
    SDL_BlendMode blend = SDL_BLENDMODE_NONE;
    SDL_ScaleMode scaleMode = SDL_ScaleModeNearest;
    SDL_Color mod{};
    // The renderer places a copy on whole pixels, cutting off fractions.
    const SDL_Rect dst{static_cast<int>(to.x), static_cast<int>(to.y), static_cast<int>(to.w), static_cast<int>(to.h)};
    if (SDL_QueryTexture(texture, &format, nullptr, &w, &h) != 0 || format != SDL_PIXELFORMAT_ARGB8888 || part.x < 0 ||
        part.y < 0 || part.x + part.w > w || part.y + part.h > h || SDL_GetTextureBlendMode(texture, &blend) != 0 ||
        SDL_GetTextureScaleMode(texture, &scaleMode) != 0 ||
        (scaleMode != SDL_ScaleModeNearest && (dst.w != part.w || dst.h != part.h)) ||
        SDL_GetTextureColorMod(texture, &mod.r, &mod.g, &mod.b) != 0 || SDL_GetTextureAlphaMod(texture, &mod.a) != 0)
        return false;

    // The renderer's clip on its surface: the viewport, narrowed by a clip
    // rectangle, within the surface.
    SDL_Rect viewport, clip;
    SDL_RenderGetViewport(r, &viewport);
    clip = viewport;
    if (SDL_RenderIsClipEnabled(r)) {
        SDL_Rect c;
        SDL_RenderGetClipRect(r, &c);
        c.x += viewport.x;
        c.y += viewport.y;
        SDL_IntersectRect(&viewport, &c, &clip);
    }
    const SDL_Rect whole{0, 0, screen->w, screen->h};
    SDL_IntersectRect(&clip, &whole, &clip);
    const SDL_Rect at{dst.x + viewport.x, dst.y + viewport.y, dst.w, dst.h};

    const BlitPixels cut{reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(source.pixels) +
                                                           static_cast<size_t>(part.y) * source.pitch + part.x * 4),
                         source.pitch};
    Job job;
    SDL_Rect laid;
    return Plan(cut, part.w, part.h, mod, blend, at, clip, screen, job, laid) &&
           Trusted().Copy(r, texture, part, to, at, screen, job, laid);
}
