// One world step and everything that moves a car: keys, speed, the lagging
// travel direction, exhaust smoke, the engine and the camera.
#include <algorithm>
#include <cmath>

#include "engine/omega.h"
#include "engine/random.h"
#include "media/particles.h"
#include "world/race.h"
#include "world/simulation.h"

int FrameToHeading(float frame) { return -M_Round((frame - 1.0) * 22.5 - 90.0); }

namespace {

// Each corner offset of a water patch swings between -6 and +6.
void StepWater(tminimal& water) {
    for (int k = 0; k < 4; ++k) {
        CornerOffset& offset = water.wateroffset[k];
        CornerOffset& step = water.waterstep[k];
        offset.dx += step.dx;
        offset.dy += step.dy;
        if (offset.dx > 5) step.dx = -step.dx;
        if (offset.dx < -5) step.dx = -step.dx;
        if (offset.dy > 5) step.dy = -step.dy;
        if (offset.dy < -5) step.dy = -step.dy;
    }
}

// A vehicle's turn; returns its index, which moves down when a bonus before it
// in the list is picked up.
int StepVehicle(tworld& w, int i, CollisionGrid& grid) {
    tminimal& car = w.objects[i];
    if (car.ai == 0) {
        CheckPlayerFinish(w, i);
        playerx = car.x;
        playery = car.y;
        car.color = palette[racesetup.colour & 15];
    }
    car.throttle = 0;
    if (car.ai == 1) {
        ComputerSteer(w, i);
    } else {
        PlayerControls(w, i);
    }
    UpdateSpeed(car);
    if (car.ai == 0) car.heading = FrameToHeading(car.frame);
    float c = M_Cos(static_cast<float>(car.heading));
    float s = M_Sin(static_cast<float>(car.heading));
    if (car.throttle != 0) {
        EmitSmoke(car, c, s);
        c *= static_cast<float>(car.throttle);  // reversing flips where the car is pushed
        s *= static_cast<float>(car.throttle);
    }
    if (car.speed > 0 && car.throttle != 0) {
        EngineSound(car, c, s);
        car.shake = Random(2);
        UpdateDrift(car, c, s);
    }
    if (car.speed <= 0) {
        car.velx = c;
        car.vely = s;
    }
    // Positions are whole pixels: motion under half a pixel per step is lost.
    car.x = M_Round(car.x - static_cast<double>(car.velx) * car.speed);
    car.y = M_Round(car.y - static_cast<double>(car.vely) * car.speed);
    if (car.ai == 0) TrackPlayerWaypoints(w, car);
    i = VehicleAgainstObjects(w, i, grid);
    const tminimal& moved = w.objects[i];
    if (moved.ai != 1 && camera) {
        camera->x = moved.x - kScreenWidth / 2;
        camera->y = moved.y - kScreenHeight / 2;
    }
    return i;
}

}  // namespace

// The object count is read afresh at every turn: a pick-up removes a bonus
// in the middle of the step.
void WorldStep(tworld& w) {
    CollisionGrid& grid = GridOf(w);
    // Sizes do not change during a step and a pick-up only removes objects:
    // the world's extent is measured once.
    const WorldExtent extent = grid.extent;
    // Only what moves or ripples takes a turn.
    for (int k = 0; k < grid.turnercount; ++k) {
        int i = grid.turners[k];
        tminimal& self = w.objects[i];
        const ObjectKind kind = grid.kinds[i];
        if (kind == ObjectKind::Water) StepWater(self);
        if (kind == ObjectKind::Vehicle) {
            i = StepVehicle(w, i, grid);
        } else if (self.dynamic != 0) {
            DynamicAgainstObjects(w, i, grid);
        }
        if (!grid.stale) continue;
        GridBuild(grid, w);
        grid.extent = extent;
        k = static_cast<int>(std::upper_bound(grid.turners.begin(), grid.turners.begin() + grid.turnercount, i) -
                             grid.turners.begin()) -
            1;
    }
    // The grid followed every move: it stays filed for the next step.
    if (w.revision == 0) return;
    WorldChanged(w);
    grid.revision = w.revision;
}

void PlayerControls(tworld& w, int i) {
    tminimal& car = w.objects[i];
    if (raceinput.up) car.throttle = 1;
    if (raceinput.down) car.throttle = -1;
    // Turning is proportional to speed, the same sense forwards and backwards.
    if (raceinput.right) car.frame -= 0.02f * car.speed;
    if (raceinput.left) car.frame += 0.02f * car.speed;
    if (car.frame < 1) car.frame = 16;
    if (car.frame > 16) car.frame = 1;
    if (playerlaps == kRaceLaps) {
        car.throttle = 0;
        if (winner == -1) winner = i;
    }
}

void UpdateSpeed(tminimal& car) {
    if (car.throttle != 0) {
        car.speed = car.speed + 0.4f * car.speed + 0.0001f;
        if (car.speed >= static_cast<float>(car.maxspeed)) car.speed = static_cast<float>(car.maxspeed);
        return;
    }
    car.speed = car.speed - 0.1f * car.speed;
    if (car.speed <= 1.0f) {
        car.velx = 0;
        car.vely = 0;
        car.speed = 1.0f;
    }
}

int DriftDivisor(int maxspeed) { return 200 + 50 * (20 - maxspeed); }

void UpdateDrift(tminimal& car, float c, float s) {
    const float step = car.speed / static_cast<float>(DriftDivisor(car.maxspeed));
    // Each component moves by one increment towards its target; one already
    // within an increment goes there and straight back.
    if (car.velx < c) car.velx += step;
    if (car.velx > c) car.velx -= step;
    if (car.vely < s) car.vely += step;
    if (car.vely > s) car.vely -= step;
}

void EmitSmoke(const tminimal& car, float c, float s) {
    const int r1 = Random(5);
    const int r2 = Random(5);
    const int r3 = Random(10);
    EmitEffect(Particles, "smoke", 16, car.x + 20 * c, car.y + 20 * s - car.height / 4 - 20, r1 - 2.5f, r2 - 2.5f,
               static_cast<float>(r3 + 30), 0xAAAAAA);
}

void EngineSound(const tminimal& car, float c, float s) {
    if (car.ai == 0) {
        const float slide = std::fabs(car.velx - c) + std::fabs(car.vely - s);
        RaceSoundEx("eng", 0, 0, M_Round(1500.0 * car.speed + 4000.0 * slide));
        return;
    }
    const float d = M_Distance(static_cast<float>(car.x), static_cast<float>(car.y), static_cast<float>(playerx),
                               static_cast<float>(playery));
    if (d >= 500) return;
    const int cameraX = camera ? camera->x : 0;
    // Beyond 25 px the volume is below full and falls 4 hundredths of a
    // decibel per pixel.
    RaceSoundEx("eng_e", 5 * (car.x - cameraX - kScreenWidth / 2), M_Round(100.0 - 4.0 * d), 22050);
}
