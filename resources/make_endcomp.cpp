// Writes the completion sound: a soft two-note chime, RIFF WAVE PCM, 2 channels, 44100 Hz, 16 bits, 1.2 s.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {
void Put16(std::vector<char>& out, std::uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void Put32(std::vector<char>& out, std::uint32_t value)
{
    Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    Put16(out, static_cast<std::uint16_t>(value >> 16));
}

void PutText(std::vector<char>& out, const char* text)
{
    for (; *text != '\0'; ++text)
        out.push_back(*text);
}

// A bell-like note: a sine with a little of its octave, a quick attack and an exponential fade.
double Note(double t, double frequency, double start)
{
    if (t < start)
        return 0.0;
    const double local = t - start;
    const double attack = std::min(1.0, local / 0.01);
    const double envelope = attack * std::exp(-local * 4.0);
    const double phase = 2.0 * std::numbers::pi * frequency * local;
    return envelope * (0.8 * std::sin(phase) + 0.2 * std::sin(2.0 * phase));
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_endcomp <output.wav>\n");
        return 2;
    }
    constexpr std::uint32_t kRate = 44100;
    constexpr std::uint16_t kChannels = 2;
    constexpr std::uint16_t kBits = 16;
    constexpr std::uint32_t kFrames = kRate * 12 / 10;
    constexpr std::uint32_t kDataBytes = kFrames * kChannels * (kBits / 8);

    std::vector<char> wav;
    PutText(wav, "RIFF");
    Put32(wav, 36 + kDataBytes);
    PutText(wav, "WAVEfmt ");
    Put32(wav, 16);
    Put16(wav, 1); // PCM
    Put16(wav, kChannels);
    Put32(wav, kRate);
    Put32(wav, kRate * kChannels * (kBits / 8));
    Put16(wav, kChannels * (kBits / 8));
    Put16(wav, kBits);
    PutText(wav, "data");
    Put32(wav, kDataBytes);

    for (std::uint32_t frame = 0; frame < kFrames; ++frame) {
        const double t = static_cast<double>(frame) / kRate;
        const double fadeOut = std::min(1.0, (static_cast<double>(kFrames - frame) / kRate) / 0.05);
        const double sample = 0.35 * fadeOut * (Note(t, 880.0, 0.0) + Note(t, 1318.5, 0.18));
        const auto value = static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0, 1.0) * 32767.0));
        for (int channel = 0; channel < kChannels; ++channel)
            Put16(wav, static_cast<std::uint16_t>(value));
    }

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(wav.data(), static_cast<std::streamsize>(wav.size()));
    return out ? 0 : 1;
}
