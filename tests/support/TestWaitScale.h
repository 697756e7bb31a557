#pragma once
// The one factor by which the tests stretch the short waits and time-outs
// they give the program (the link's lock waits, settle times and reply
// time-outs): the environment variable ORVEL_TEST_WAIT_SCALE, a whole number
// of at least 1 (at most 100), for runs that are slow throughout, such as sanitizer
// builds. Unset, empty or not a number, it is 1.

constexpr const char* kTestWaitScaleVariable = "ORVEL_TEST_WAIT_SCALE";

int TestWaitScale();
// A wait of the tests stretched by the factor.
int ScaledWaitMs(int ms);
