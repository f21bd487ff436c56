#pragma once

#include <QByteArray>

namespace corvalen {

// What every tone is turned into before it plays: one fixed format, so that the output stream
// stays open from one tone to the next whatever rate or channels a file has.
constexpr int kToneRate = 44100;
constexpr int kToneChannels = 2;
constexpr int kToneBytesPerFrame = kToneChannels * 2; // signed 16-bit samples

// Decodes a whole mp3 file into samples of the format above. A file that is not audio, or that
// its own header shows to be cut short, gives an empty result: a tone plays whole or not at
// all. A very long file is cut at kMaxToneSeconds.
constexpr int kMaxToneSeconds = 60;
QByteArray decodeMp3(const QByteArray& file);

} // namespace corvalen
