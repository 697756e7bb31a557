#pragma once
// Where the menu sounds go: a system sound by its alias, and the stop of
// any sound still playing. Sounds are silent on this system.

class ITKSoundOutput {
public:
    virtual ~ITKSoundOutput() = default;
    // Plays the alias to its end; an alias that is not configured plays nothing.
    virtual void PlayAlias(const char* alias) = 0;
    virtual void StopAll() = 0;
};
