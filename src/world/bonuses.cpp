// Bonuses: scattered near the waypoints during a race, collected by driving
// within 50 px of them; only the player's car scores.
#include <array>
#include <vector>

#include "engine/omega.h"
#include "engine/random.h"
#include "media/particles.h"
#include "world/race.h"
#include "world/simulation.h"

namespace {

struct BonusKind {
    const char* name;
    int points;
    int burst;  // colour of the pick-up burst
};

// In the order a slot is tested at a pick-up.
constexpr std::array<BonusKind, 3> kBonuses{
    {{"bn_slw", 10, 0x00FFFF}, {"bn_spd", 80, 0xFF00FF}, {"bn_oil", 150, 0xFFFF00}}};
// In the order of the spawner's draw.
constexpr std::array<const char*, 3> kSpawnKinds{"bn_spd", "bn_oil", "bn_slw"};

constexpr int kMaxBonuses = 6;

float Distance(int x1, int y1, int x2, int y2) {
    return M_Distance(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2));
}

void Burst(const tminimal& bonus, int color) {
    for (int n = 0; n < 11; ++n) {
        const int r1 = Random(5);
        const int r2 = Random(5);
        const int r3 = Random(10);
        EmitEffect(Particles, "blow", 14, static_cast<float>(bonus.x), static_cast<float>(bonus.y), r1 - 2.5f,
                   r2 - 4.0f, static_cast<float>(r3 + 20), color);
    }
}

}  // namespace

int BonusPoints(std::string_view name) {
    for (const BonusKind& kind : kBonuses) {
        if (name == kind.name) return kind.points;
    }
    return 0;
}

void PickUpBonuses(tworld& w, int& self, int j) {
    if (j >= w.count || !HasPrefix(w.objects[j].name, "bn")) return;
    for (const BonusKind& kind : kBonuses) {
        if (j >= w.count) return;
        const tminimal& bonus = w.objects[j];
        const tminimal& car = w.objects[self];
        if (bonus.name != kind.name || Distance(car.x, car.y, bonus.x, bonus.y) >= 50) continue;
        Burst(bonus, kind.burst);
        if (WorldOnScreen(w, j)) RaceSound("get");
        const bool player = car.ai == 0;
        WorldRemoveAt(w, j);
        // The cars behind the bonus move down a slot; their indices follow.
        if (j < self) --self;
        if (j < winner) --winner;
        if (player) {
            if (PointsHook) PointsHook(kind.points);
            if (PlayerJoltHook) PlayerJoltHook(0.2f);
        }
    }
}

void SpawnBonuses(tworld& w) {
    // Where the bonuses lie, gathered once; the list keeps its storage from
    // tick to tick.
    static std::vector<Waypoint> bonuses;
    bonuses.clear();
    const CollisionGrid& grid = GridOf(w);
    for (int k = 0; k < grid.bonuscount; ++k) {
        const tminimal& o = w.objects[grid.bonuses[k]];
        bonuses.push_back({o.x, o.y});
    }
    // Counted once: one call may add several and pass six.
    if (static_cast<int>(bonuses.size()) >= kMaxBonuses) return;
    const int chance = 2 * w.waypointcount;
    for (int k = 0; k < w.waypointcount; ++k) {
        const Waypoint p = w.waypoints[k];
        bool free = true;
        for (const Waypoint& b : bonuses) free = free && Distance(b.x, b.y, p.x, p.y) >= 32;
        if (!free || Random(chance) != 1) continue;
        const char* kind = kSpawnKinds[Random(3)];
        const int y = p.y + Random(32) - 16;
        const int x = p.x + Random(32) - 16;
        if (!WorldAddObject(w, kind, x, y, 0, 1, 0xFFFFFF)) continue;
        tminimal& bonus = w.objects[w.count - 1];
        bonus.width = 32;
        bonus.height = 32;
        bonus.radius = 8;
        WorldChanged(w);
        bonuses.push_back({x, y});
    }
}
