#pragma once
// A frame's data bytes read as signal values and written from them, with the places the
// frame layout gives its signals and the meanings their encodings give the raw values.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "codegen/frame_layout.h"
#include "signal_encoding.h"

class ClusterNameIndex;
class corvdekLINDefinitionFile;
class corvdekLINDiagnosticFrame;
class corvdekLINFrame;
class corvdekLINSignalEncodingTypes;

// One signal of a frame as the codec reads and writes it.
struct CodecSignal {
    const corvdekLINSignal* signal = nullptr;
    std::u16string_view name;
    const corvdekLINSignalEncodingTypes* encoding = nullptr;  // none: raw values only
    int offset = 0;
    int size = 0;  // bits; a byte array's whole bytes
    bool isByteArray = false;
    std::vector<SignalPart> parts;  // a scalar's byte parts
};

// One signal's value in a frame's bytes.
struct DecodedSignal {
    const CodecSignal* signal = nullptr;
    std::uint64_t raw = 0;            // a scalar's bits
    std::vector<std::uint8_t> bytes;  // a byte array's bytes, in frame order
    SignalMeaning meaning;            // empty without an encoding
};

class FrameCodec {
public:
    // The codec of the frame `frame` names: an unconditional or diagnostic frame's name, or an
    // identifier ("0x10", "16") of one. Empty with `why` set when there is no such frame.
    static std::optional<FrameCodec> Find(const corvdekLINDefinitionFile& cluster, std::string_view frame,
                                          std::string& why);
    static FrameCodec OfFrame(const corvdekLINDefinitionFile& cluster, const corvdekLINFrame& frame,
                              const ClusterNameIndex& names);
    static FrameCodec OfDiagnosticFrame(const corvdekLINDefinitionFile& cluster, const corvdekLINDiagnosticFrame& frame);

    std::u16string_view Name() const { return name_; }
    int Id() const { return id_; }
    int Length() const { return length_; }
    const std::vector<CodecSignal>& Signals() const { return signals_; }
    // The signals the layout could not place, each with why ("Sig: overlaps the signal before it").
    const std::vector<std::string>& Faults() const { return faults_; }

    // Reads every signal from `bytes` (Length() of them) into `values`, which keeps its room
    // from call to call.
    void Decode(std::span<const std::uint8_t> bytes, std::vector<DecodedSignal>& values) const;

    struct Assignment {
        std::string signal;
        std::string value;
    };
    // The frame's bytes with the assigned signals at their values, the others at their
    // initial values and the bits no signal takes at `fillBit`. Empty with `why` (naming the
    // signal and its range) when a value cannot be given or a signal is unknown.
    std::optional<std::vector<std::uint8_t>> Encode(const std::vector<Assignment>& assignments, int fillBit,
                                                    std::string& why) const;

private:
    FrameCodec() = default;
    void Place(const corvdekLINDefinitionFile& cluster, const corvStringArray& names, const corvStringArray& offsets,
               const std::function<const corvdekLINSignal*(std::u16string_view)>& find);
    const CodecSignal* FindSignal(std::string_view name) const;
    std::uint64_t ReadRaw(const CodecSignal& signal, std::span<const std::uint8_t> bytes) const;
    void WriteRaw(const CodecSignal& signal, std::uint64_t raw, std::span<std::uint8_t> bytes) const;
    // The signal's initial value as the cluster states it.
    bool WriteInitialValue(const CodecSignal& signal, std::span<std::uint8_t> bytes, std::string& why) const;

    std::u16string_view name_;
    int id_ = 0;
    int length_ = 0;
    std::vector<CodecSignal> signals_;
    std::vector<std::string> faults_;
};

// "01 A5 FF" or "01A5FF" (pieces joined) as bytes; empty for any other text.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(const std::vector<std::string>& pieces);
