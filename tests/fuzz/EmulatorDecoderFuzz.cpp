// The emulator's frame decoder and engine on any bytes from the PC side.
#include "emulator/FrameCodec.h"
#include "emulator/RegisterEmulator.h"
#include "tests/fuzz/FuzzTargets.h"

#include <chrono>

bool FuzzEmulatorDecoder(const uint8_t* data, std::size_t size)
{
    // The scanner hands over only frames that are what their length field says.
    emu::FrameScanner scanner;
    scanner.Append(data, size);
    for (bool stale : {false, true}) {
        for (;;) {
            const emu::FrameScanner::Event e = scanner.Next(stale);
            if (e.kind == emu::FrameScanner::Event::Kind::NeedMore)
                break;
            if (e.kind == emu::FrameScanner::Event::Kind::Frame
                && (e.frame.size() < emu::MinFrameLength || e.frame.front() != emu::FrameStx
                    || e.frame.back() != emu::FrameEtx || emu::GetU16(e.frame.data() + 2) != e.frame.size()))
                return false;
            if (scanner.Empty())
                break;
        }
    }

    // The engine takes the same bytes in two parts, with time passing between them.
    emu::RegisterEmulator engine(size % 2 ? emu::Model::TepoDux : emu::Model::Rivo);
    auto now = std::chrono::steady_clock::time_point{};
    engine.SetClock([&now] { return now; });
    engine.SetReplySink([](const emu::Bytes&) {});
    const std::size_t half = size / 2;
    engine.Feed(data, half);
    now += std::chrono::milliseconds(size > 0 && data[0] % 2 ? 1000 : 10);
    engine.Pump();
    engine.Feed(data + half, size - half);
    for (int i = 0; i < 4; ++i) {
        now += std::chrono::seconds(1);
        engine.Pump();
    }
    return true;
}
