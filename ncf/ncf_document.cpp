#include "ncf_document.h"

bool IsLin20Language(const corvString& languageVersion) {
    return languageVersion.Equals(u"2.0") || languageVersion.StartsWith(u"J2602");
}

std::vector<std::u16string_view> MissingStatements(const NcfNode& node, const corvString& languageVersion) {
    const bool lin20 = IsLin20Language(languageVersion);
    const struct {
        bool missing;
        std::u16string_view keyword;
    } required[] = {
        {node.protocolVersion.IsEmpty(), u"LIN_protocol_version"},
        {node.supplier.IsEmpty(), u"supplier"},
        {node.function.IsEmpty(), u"function"},
        {node.variant.IsEmpty(), u"variant"},
        {node.bitrate.kind == NcfBitrate::Kind::kNotGiven, u"bitrate"},
        {!lin20 && node.sendsWakeUpSignal.IsEmpty(), u"sends_wake_up_signal"},
        {node.nads.Count() == 0, u"NAD"},
        {!lin20 && node.diagnosticClass.IsEmpty(), u"diagnostic_class"},
        {node.responseError.IsEmpty(), u"response_error"},
    };
    std::vector<std::u16string_view> missing;
    for (const auto& statement : required) {
        if (statement.missing) missing.push_back(statement.keyword);
    }
    return missing;
}
