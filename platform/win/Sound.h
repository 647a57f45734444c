#pragma once
// Sound effects: wave files played in the background, and the system's default beep.
#include <functional>
#include "platform/rtl/String.h"

// Starts the file playing and returns at once, without waiting for the system to start it; a
// sound still playing is cut off, and the system's default sound is never played in its place.
// False for a missing file, true for one handed to the player (a file that is no wave, or no
// sound device, is silence).
bool PlaySoundFile(const String& path);
// Tests hear the paths played in place of the system's player; an empty function restores it.
using TSoundFilePlayer = std::function<bool(const String& path)>;
void SetSoundFilePlayer(TSoundFilePlayer player);
// Returns with the sound stopped, after every sound asked for before.
void StopSound();
void DefaultBeep();   // MessageBeep(0)
// How long a PCM wave file plays, in milliseconds; 0 for a file that is missing or no such wave.
int WaveFileLength(const String& path);
