#include "cluster_generator.h"

#include <algorithm>
#include <vector>

namespace {

std::string Slave(int index) { return "Slave" + std::to_string(index); }

// Frame i is sent by the master when i is even, else by a slave.
std::string Publisher(int frame, int slaves) {
    return frame % 2 == 0 ? "Master" : Slave(1 + (frame / 2) % slaves);
}

std::string Receiver(int frame, int slaves) {
    return frame % 2 == 0 ? Slave(1 + (frame / 2) % slaves) : "Master";
}

std::string SignalName(int frame, int signal) {
    return "Sig_" + std::to_string(frame) + "_" + std::to_string(signal);
}

std::string FrameName(int frame) { return "Frm_" + std::to_string(frame); }

// LIN gives signals the identifiers 0 to 59 and slaves the NADs 1 to 125; larger clusters
// than that share them.
std::string FrameId(int frame) { return std::to_string(frame % 60); }
std::string Nad(int slave) { return std::to_string((slave - 1) % 125 + 1); }

void AddDiagnosticSections(std::string& text) {
    text += "Diagnostic_signals {\n";
    for (const char* frame : {"MasterReq", "SlaveResp"}) {
        for (int b = 0; b < 8; ++b) text += "  " + std::string(frame) + "B" + std::to_string(b) + ": 8, 0;\n";
    }
    text += "}\n\nDiagnostic_frames {\n";
    for (const char* frame : {"MasterReq: 0x3C", "SlaveResp: 0x3D"}) {
        text += "  " + std::string(frame) + " {\n";
        const std::string prefix(frame, std::string(frame).find(':'));
        for (int b = 0; b < 8; ++b) text += "    " + prefix + "B" + std::to_string(b) + ", " + std::to_string(8 * b) + ";\n";
        text += "  }\n";
    }
    text += "}\n\n";
}

}  // namespace

std::string GenerateClusterLdf(const ClusterShape& shape) {
    const int encodings = 16;
    const int configuredSlaves = std::min(shape.slaves, 16);
    std::string text;
    text.reserve(static_cast<std::size_t>(shape.frames) * shape.signalsPerFrame * 90);
    text += "LIN_description_file;\nLIN_protocol_version = \"2.1\";\n"
            "LIN_language_version = \"2.1\";\nLIN_speed = 19.2 kbps;\n\n";

    text += "Nodes {\n  Master: Master, 5 ms, 0.1 ms;\n  Slaves: ";
    for (int s = 1; s <= shape.slaves; ++s) text += (s > 1 ? ", " : "") + Slave(s);
    text += ";\n}\n\nSignals {\n";
    for (int f = 0; f < shape.frames; ++f) {
        for (int s = 0; s < shape.signalsPerFrame; ++s) {
            text += "  " + SignalName(f, s) + ": " + std::to_string(shape.signalBits) + ", 0, " +
                    Publisher(f, shape.slaves) + ", " + Receiver(f, shape.slaves) + ";\n";
        }
    }
    text += "}\n\nFrames {\n";
    const int frameBytes = (shape.signalsPerFrame * shape.signalBits + 7) / 8;
    for (int f = 0; f < shape.frames; ++f) {
        text += "  " + FrameName(f) + ": " + FrameId(f) + ", " +
                Publisher(f, shape.slaves) + ", " + std::to_string(frameBytes) + " {\n";
        for (int s = 0; s < shape.signalsPerFrame; ++s) {
            text += "    " + SignalName(f, s) + ", " + std::to_string(s * shape.signalBits) + ";\n";
        }
        text += "  }\n";
    }
    text += "}\n\n";
    AddDiagnosticSections(text);
    // A slave reports its response errors in a one-bit signal that it publishes.
    const bool responseErrors = shape.signalBits == 1;
    text += "Node_attributes {\n";
    for (int s = 1; s <= shape.slaves; ++s) {
        text += "  " + Slave(s) + " {\n    LIN_protocol = \"2.1\";\n    configured_NAD = " + Nad(s) +
                ";\n    product_id = 0x1E, " + std::to_string(s) + ", 0;\n" +
                (responseErrors ? "    response_error = " + SignalName(2 * s - 1, 0) + ";\n" : "") +
                "    P2_min = 50 ms;\n    ST_min = 0 ms;\n    configurable_frames {\n      " +
                FrameName(2 * s - 1) + " = " + std::to_string(s) + ";\n    }\n  }\n";
    }
    text += "}\n\nSchedule_tables {\n  Normal {\n";
    for (int f = 0; f < shape.frames; ++f) text += "    " + FrameName(f) + " delay 10 ms;\n";
    // Every command kind, for the first slaves (a configuration table configures a few).
    text += "  }\n  Configuration {\n";
    for (int s = 1; s <= configuredSlaves; ++s) {
        const std::string slave = Slave(s);
        const std::string frame = FrameName(2 * s - 1);
        text += "    AssignNAD { 0x7F, 0x1E, " + std::to_string(s) + ", " + Nad(s) + " } delay 20 ms;\n"
                "    AssignFrameId { " + slave + ", " + frame + " } delay 20 ms;\n"
                "    UnassignFrameId { " + slave + ", " + frame + " } delay 20 ms;\n"
                "    FreeFormat { 0x7F, 0x06, 0xB2, 0x00, 0xFF, 0x7F, 0xFF, 0xFF } delay 20 ms;\n"
                "    MasterReq delay 20 ms;\n    SlaveResp delay 20 ms;\n";
    }
    text += "  }\n}\n\nSignal_encoding_types {\n";
    for (int e = 0; e < encodings; ++e) {
        text += "  Enc" + std::to_string(e) + " {\n    logical_value, 0, \"off\";\n"
                "    physical_value, 1, 254, 0.5, -40, \"degC\";\n"
                "    logical_value, 255, \"error\";\n  }\n";
    }
    text += "}\n\nSignal_representation {\n";
    // The encodings reach the raw value 255: signals of fewer bits have none. A large list is
    // cut into several statements, as the loader takes statements of up to 65000 characters.
    constexpr std::size_t kSignalsPerStatement = 1000;
    std::vector<std::vector<std::string>> users(static_cast<std::size_t>(encodings));
    for (int f = 0; f < shape.frames && shape.signalBits >= 8; ++f) {
        for (int s = 0; s < shape.signalsPerFrame; ++s) {
            users[static_cast<std::size_t>(f % encodings)].push_back(SignalName(f, s));
        }
    }
    for (int e = 0; e < encodings; ++e) {
        const std::vector<std::string>& names = users[static_cast<std::size_t>(e)];
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i % kSignalsPerStatement == 0) text += "  Enc" + std::to_string(e) + ": ";
            text += names[i];
            const bool statementEnds = (i + 1) % kSignalsPerStatement == 0 || i + 1 == names.size();
            text += statementEnds ? ";\n" : ", ";
        }
    }
    text += "}\n";
    return text;
}
