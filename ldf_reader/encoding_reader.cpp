// Signal_encoding_types (types with their logical, physical, BCD and ASCII parts) and
// Signal_representation (which signals use which type).

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

using Part = corvdekLINSignalEncodingTypeItem;

// A decimal or 0x hexadecimal integer, as the LIN grammar writes them.
int IntegerValue(std::string_view field) {
    corvString text = Trimmed(field);
    if (text.StartsWith(u"0x", false)) return static_cast<int>(text.ToUIntAutoHex());
    return text.ToInt();
}

// 'logical_value, value [, "text"]'
void ReadLogicalValue(corvdekLINDefinitionFile& document, corvdekLINSignalEncodingTypes& type,
                      const StatementFields& fields) {
    if (fields.Count() != 2 && fields.Count() != 3) {
        document.ReportStatement("LIN Logical Signal encoding type invalid.",
                                 u"This LIN signal encoding type is invalid for logicial value "
                                 u"(wrong number of fields) at line: ",
                                 kLevelWarning);
        return;
    }
    Part* part = type.items.Add();
    part->kind = Part::kLogical;
    corvString value = Converted(fields.Item(1));
    part->minValue = static_cast<int>(value.ToUIntAutoHex());
    if (fields.Count() == 3) part->text = Unquoted(fields.Item(2));
}

// 'physical_value, min, max, scale, offset [, "unit"]' (physical_range alike)
void ReadPhysicalValue(corvdekLINDefinitionFile& document, corvdekLINSignalEncodingTypes& type,
                       const StatementFields& fields) {
    if (fields.Count() != 5 && fields.Count() != 6) {
        document.ReportStatement("LIN Physical Signal encoding type invalid.",
                                 u"This LIN signal encoding type is invalid for physical range "
                                 u"(wrong number of fields) at line: ",
                                 kLevelWarning);
        return;
    }
    Part* part = type.items.Add();
    part->kind = Part::kPhysical;
    part->minValue = IntegerValue(fields.Item(1));
    part->maxValue = IntegerValue(fields.Item(2));
    part->scale = Converted(fields.Item(3)).ToDouble();
    part->offset = Converted(fields.Item(4)).ToDouble();
    if (fields.Count() == 6) part->text = Unquoted(fields.Item(5));
}

// 'bcd_value' or 'ascii_value', the keyword alone as the LIN grammar writes it.
void ReadMarkerValue(corvdekLINDefinitionFile& document, corvdekLINSignalEncodingTypes& type,
                     const StatementFields& fields, int kind) {
    if (fields.Count() != 1) {
        if (kind == Part::kBcd) {
            document.ReportStatement("LIN BCD Signal encoding type invalid.",
                                     u"This LIN signal encoding type is invalid for BCD (wrong "
                                     u"number of fields) at line: ",
                                     kLevelWarning);
        } else {
            document.ReportStatement("LIN ASCII Signal encoding type invalid.",
                                     u"This LIN signal encoding type is invalid for ASCII (wrong "
                                     u"number of fields) at line: ",
                                     kLevelWarning);
        }
        return;
    }
    type.items.Add()->kind = kind;
}

}  // namespace

bool ReadEncodingTypeStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        document.encodingTypes.Add()->name.AssignCodePage(document.statement);
        return true;
    }
    corvdekLINSignalEncodingTypes* type = document.encodingTypes.Last();
    if (type == nullptr) {
        document.ReportStatement("LIN Signal encoding type invalid.",
                                 u"This LIN signal encoding type is invalid at line: ",
                                 kLevelWarning);
        return true;
    }
    const StatementFields fields(document.statement, ",");
    const std::string_view keyword = TrimmedView(fields.Item(0));
    if (keyword == "logical_value") {
        ReadLogicalValue(document, *type, fields);
    } else if (keyword == "physical_range" || keyword == "physical_value") {
        ReadPhysicalValue(document, *type, fields);
    } else if (keyword == "bcd_value") {
        ReadMarkerValue(document, *type, fields, Part::kBcd);
    } else if (keyword == "ascii_value") {
        ReadMarkerValue(document, *type, fields, Part::kAscii);
    } else {
        return false;
    }
    return true;
}

bool ReadRepresentationStatement(corvdekLINDefinitionFile& document) {
    const SplitAtFirst parts(document.statement, ':');
    if (!parts.found) {
        document.ReportStatement("LIN Signal representation line invalid.",
                                 u"This LIN Signal representation is invalid at line: ",
                                 kLevelWarning);
        return true;
    }
    corvdekLINSignalRepresentations* representation = document.representations.Add();
    AssignTrimmed(representation->encodingName, parts.head);
    const StatementFields names(TrimmedView(parts.rest), ",");
    AddTrimmedFields(representation->signalNames, names);
    return true;
}
