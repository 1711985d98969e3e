#pragma once
// A text log of a LIN bus read line by line: an optional time stamp in seconds (it holds a
// '.'), the frame identifier in hexadecimal (the protected identifier too), then the data
// bytes. Blank lines and lines that start with '#' or "//" are skipped.

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frame_codec.h"

class corvdekLINDefinitionFile;

struct TraceFrame {
    std::optional<double> time;
    const FrameCodec* codec = nullptr;
    std::vector<std::uint8_t> bytes;
};

class TraceDecoder {
public:
    explicit TraceDecoder(const corvdekLINDefinitionFile& cluster);

    enum class Line { kFrame, kSkipped, kFault };
    // Reads one line into `frame` (whose room is kept from line to line); a fault sets `why`.
    // An event-triggered frame's identifier gives the frame its first byte names.
    Line Read(std::string_view line, TraceFrame& frame, std::string& why) const;

private:
    static constexpr std::size_t kIdentifiers = 64;
    std::array<std::unique_ptr<FrameCodec>, kIdentifiers> frames_;
    // The identifiers of the frames each event-triggered identifier may carry.
    std::array<std::vector<unsigned>, kIdentifiers> carried_;
};
