// Car dynamics: the player's keys, speed, the lagging travel direction,
// smoke, engine sounds, water and the camera.
#include "sim_support.h"

using CarDynamics = SimTest;

TEST(Directions, FramesHeadingsAndWrapping) {
    EXPECT_EQ(FrameToHeading(1), 90);     // up: moves along -(0, 1)
    EXPECT_EQ(FrameToHeading(5), 0);      // left
    EXPECT_EQ(FrameToHeading(13), -180);  // right
    EXPECT_EQ(FrameToHeading(1.5f), 79);  // 78.75 rounded
    EXPECT_EQ(WrapAngle(-90), 270);
    EXPECT_EQ(WrapAngle(450), 90);
    EXPECT_EQ(WrapAngle(360), 360);
    EXPECT_FLOAT_EQ(HeadingToFrame(90), 1);
    EXPECT_FLOAT_EQ(HeadingToFrame(0), 5);
    EXPECT_FLOAT_EQ(HeadingToFrame(180), 13);
    EXPECT_NEAR(HeadingToFrame(89), 1 + 1 / 22.5f, 1e-6f);
    // A computer car clamps where the player's steering wraps.
    EXPECT_FLOAT_EQ(HeadingToFrame(-270), 16);  // 360 degrees would be frame 17
    EXPECT_FLOAT_EQ(HeadingToFrame(91), 16);    // 359 degrees: frame 16.96
    EXPECT_FLOAT_EQ(HeadingToFrame(100), 16);   // 350 degrees: frame 16.56
}

TEST_F(CarDynamics, ThrottleGrowsSpeedToTheTopInNineSteps) {
    const int car = AddCar(1000, 1000, 0);
    Hold(VK_UP);
    const float expected[] = {1.4f, 1.96f, 2.74f, 3.84f, 5.38f, 7.53f, 10.54f, 14.76f, 15.0f, 15.0f};
    for (float e : expected) {
        WorldStep(*w);
        EXPECT_NEAR(At(car).speed, e, 0.006f);
        EXPECT_LE(At(car).speed, 15.0f);
    }
    EXPECT_EQ(At(car).throttle, 1);
}

TEST_F(CarDynamics, CoastingStopsDeadAtSpeedOne) {
    const int car = AddCar(1000, 1000, 0);
    At(car).speed = 15;
    At(car).velx = -0.8f;
    At(car).vely = 0.1f;
    WorldStep(*w);
    EXPECT_FLOAT_EQ(At(car).speed, 13.5f);
    WorldStep(*w);
    EXPECT_FLOAT_EQ(At(car).speed, 12.15f);
    for (int step = 3; step <= 25; ++step) WorldStep(*w);
    EXPECT_GT(At(car).speed, 1.0f);
    EXPECT_NE(At(car).velx, 0.0f);
    WorldStep(*w);  // 26th step: at or below 1 it snaps to rest
    EXPECT_EQ(At(car).speed, 1.0f);
    EXPECT_EQ(At(car).velx, 0.0f);
    EXPECT_EQ(At(car).vely, 0.0f);
    const int x = At(car).x, y = At(car).y;
    WorldStep(*w);
    EXPECT_EQ(At(car).x, x);
    EXPECT_EQ(At(car).y, y);
}

TEST_F(CarDynamics, DriftFollowsTheHeadingBySpeedOverTheDivisor) {
    EXPECT_EQ(DriftDivisor(15), 450);
    EXPECT_EQ(DriftDivisor(18), 300);
    EXPECT_EQ(DriftDivisor(13), 550);
    tminimal jeep;
    jeep.maxspeed = 15;
    jeep.speed = 15;
    UpdateDrift(jeep, 1.0f, -1.0f);
    EXPECT_FLOAT_EQ(jeep.velx, 15.0f / 450);
    EXPECT_FLOAT_EQ(jeep.vely, -15.0f / 450);
    tminimal turbo;
    turbo.maxspeed = 18;
    turbo.speed = 18;
    UpdateDrift(turbo, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(turbo.velx, 0.06f);
    // Within one increment of the target a component stays where it was.
    turbo.velx = 0.98f;
    UpdateDrift(turbo, 1.0f, 0.0f);
    EXPECT_NEAR(turbo.velx, 0.98f, 1e-6f);
}

TEST_F(CarDynamics, SteeringIsProportionalToSpeedAndWraps) {
    const int car = AddCar(1000, 1000, 0);
    At(car).frame = 1.0f;
    Hold(VK_RIGHT);
    WorldStep(*w);  // 1 - 0.02 is below 1: straight to 16
    EXPECT_EQ(At(car).frame, 16.0f);
    Hold(VK_RIGHT, false);
    Hold(VK_LEFT);
    At(car).speed = 1.0f;
    WorldStep(*w);  // 16.02 is above 16: straight to 1
    EXPECT_EQ(At(car).frame, 1.0f);
    At(car).frame = 9;
    At(car).speed = 15;
    Hold(VK_DOWN);  // reversing turns the same way
    WorldStep(*w);
    EXPECT_NEAR(At(car).frame, 9.3f, 1e-5f);
    EXPECT_EQ(At(car).heading, FrameToHeading(At(car).frame));
}

TEST_F(CarDynamics, UpAndDownTogetherReverse) {
    const int car = AddCar(1000, 1000, 0);
    At(car).frame = 13;  // facing right
    Hold(VK_UP);
    Hold(VK_DOWN);
    for (int step = 0; step < 20; ++step) WorldStep(*w);
    EXPECT_EQ(At(car).throttle, -1);
    EXPECT_LT(At(car).x, 1000);  // backwards, to the left
    EXPECT_NEAR(At(car).y, 1000, 1);
    Hold(VK_DOWN, false);
    WorldStep(*w);
    EXPECT_EQ(At(car).throttle, 1);
}

TEST_F(CarDynamics, SmokeAndEngineOfThePlayersCar) {
    const int car = AddCar(1000, 1000, 0);
    At(car).speed = 15;
    At(car).velx = -1;  // heading of frame 13 is -180: cos -1, sin 0
    Hold(VK_UP);
    WorldStep(*w);
    // No slide: the pitch follows speed alone.
    ASSERT_EQ(Heard("eng"), 1);
    EXPECT_EQ(heard()[0].frequency, 22500);
    EXPECT_EQ(heard()[0].volume, 0);
    EXPECT_EQ(heard()[0].pan, 0);
    ASSERT_EQ(Particles.count, 1);
    const TEffect2d& puff = Particles.effects[0];
    EXPECT_EQ(puff.kind, "smoke");
    EXPECT_FLOAT_EQ(puff.x, 1000 - 20);  // 20 px behind a car facing right
    EXPECT_NEAR(puff.y, 1000 - 16 - 20, 1e-3);
    EXPECT_EQ(At(car).color, palette[0]);
    // Sliding sideways raises the pitch by 4000 Hz per unit of slide.
    heard().clear();
    At(car).vely = 0.5f;
    WorldStep(*w);
    ASSERT_EQ(Heard("eng"), 1);
    EXPECT_EQ(heard()[0].frequency, 22500 + 2000);
}

TEST_F(CarDynamics, OtherCarsAreHeardNearThePlayerOnly) {
    AddCar(1000, 1000, 0);
    const int near = AddCar(1030, 1000, 1);
    const int far = AddCar(1600, 1000, 1);
    w->waypointcount = 1;
    w->waypoints[0] = {5000, 1000};
    WorldStep(*w);
    ASSERT_EQ(Heard("eng_e"), 1);  // the far car is not played at all
    const HeardSound& s = heard().back();
    EXPECT_EQ(s.volume, -20);  // passed as computed, below zero
    EXPECT_EQ(s.frequency, 22050);
    EXPECT_EQ(s.pan, 5 * (At(near).x - camera->x - 400));
    EXPECT_GT(At(far).speed, 0.0f);
}

TEST_F(CarDynamics, CameraFollowsThePlayerAndWaterWobbles) {
    const int car = AddCar(1234, 987, 0);
    AddCar(3000, 3000, 1);
    const int water = AddObject("lnd_water", 0, 0, 128);
    for (int k = 0; k < 4; ++k) At(water).waterstep[k] = {1, -1};
    At(water).wateroffset[1] = {5, -5};
    WorldStep(*w);
    EXPECT_EQ(camera->x, At(car).x - 400);
    EXPECT_EQ(camera->y, At(car).y - 300);
    EXPECT_EQ(At(water).wateroffset[0].dx, 1);
    EXPECT_EQ(At(water).wateroffset[0].dy, -1);
    // Past 5 the step turns round.
    EXPECT_EQ(At(water).wateroffset[1].dx, 6);
    EXPECT_EQ(At(water).waterstep[1].dx, -1);
    EXPECT_EQ(At(water).waterstep[1].dy, 1);
}
