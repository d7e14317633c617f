#pragma once
// The two sounds of the button skin: a soft blip when the pointer enters a
// skinned button (about 96 ms) and a short tick when it is clicked (about
// 4 ms).  Both are 16-bit mono PCM at 22 050 Hz, made by our own code.
// Silent when MOQUAN_MUTE=1 or when the system has no audio output.
#include <QByteArray>

namespace moquan {

enum class SkinSound { Enter, Click };

// The complete WAV file (RIFF header and samples) of a sound.
QByteArray skinSoundWav(SkinSound which);
// Plays a sound without waiting; does nothing when muted or without audio.
void playSkinSound(SkinSound which);
// True when the sounds are switched off (MOQUAN_MUTE=1).
bool skinSoundsMuted();

} // namespace moquan
