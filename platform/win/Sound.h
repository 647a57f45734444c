#pragma once
// Sound effects: wave files played in the background, and the system's default beep.
#include "platform/rtl/String.h"

// Starts the file playing and returns at once; a sound still playing is cut off, and the
// system's default sound is never played in its place. False for a missing file; for a file
// that exists the answer is the system's, which in the background only says whether it took the
// request (a file that is no wave, or no sound device, is silence).
bool PlaySoundFile(const String& path);
void StopSound();
void DefaultBeep();   // MessageBeep(0)
// How long a PCM wave file plays, in milliseconds; 0 for a file that is missing or no such wave.
int WaveFileLength(const String& path);
