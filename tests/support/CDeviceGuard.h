#pragma once
// Keeps the tests off the machine's devices. Once installed by a test
// program's main, every open of a character device goes through the guard:
// the harmless ones (null, zero, full, random, urandom, the pseudo-terminal
// multiplexer) and the slave sides of the pseudo-terminals that the test
// support made open as usual; any other device, a real serial line above
// all, is not opened and fails the running test with the device's name, so
// a test that forgot to point the port at the simulator cannot talk to
// whatever hangs on the machine's port.

#include <sys/types.h>

class CDeviceGuard {
public:
    // From now on, opens of devices outside the list fail the test.
    static void Install();
    // The slave side of a pseudo-terminal the test support made, by its
    // device number, may be opened until it is forgotten again.
    static void AllowTerminal(dev_t device);
    static void ForgetTerminal(dev_t device);
    // Whether the guard lets the file be opened: TRUE for anything that is
    // not a character device, for the harmless devices and the allowed
    // terminals, and always before Install.
    static bool MayOpen(int directory, const char* path);
};
