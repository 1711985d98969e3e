// Signal_encoding_types (types with their logical, physical, BCD and ASCII parts) and
// Signal_representation (which signals use which type).

#include "foundation/corv_arrays.h"
#include "load_context.h"
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

Part* AddPart(LoadContext& load, corvdekLINSignalEncodingTypes& type, int kind) {
    Part* part = type.items.Add();
    part->kind = kind;
    load.AnchorAt(part->comments);
    return part;
}

// The text of a logical value or the unit of a physical one; '""' is kept as given.
void SetText(Part& part, std::string_view field) {
    part.text = Unquoted(field);
    part.textGiven = true;
}

// 'logical_value, value [, "text"]'
void ReadLogicalValue(LoadContext& load, corvdekLINSignalEncodingTypes& type,
                      const StatementFields& fields) {
    if (fields.Count() != 2 && fields.Count() != 3) {
        load.ReportStatement("LIN Logical Signal encoding type invalid.",
                                 u"This LIN signal encoding type is invalid for logicial value "
                                 u"(wrong number of fields) at line: ",
                                 kLevelWarning);
        return;
    }
    Part* part = AddPart(load, type, Part::kLogical);
    corvString value = Converted(fields.Item(1));
    part->minValue = static_cast<int>(value.ToUIntAutoHex());
    if (fields.Count() == 3) SetText(*part, fields.Item(2));
}

// 'physical_value, min, max, scale, offset [, "unit"]' (physical_range alike)
void ReadPhysicalValue(LoadContext& load, corvdekLINSignalEncodingTypes& type,
                       const StatementFields& fields) {
    if (fields.Count() != 5 && fields.Count() != 6) {
        load.ReportStatement("LIN Physical Signal encoding type invalid.",
                                 u"This LIN signal encoding type is invalid for physical range "
                                 u"(wrong number of fields) at line: ",
                                 kLevelWarning);
        return;
    }
    Part* part = AddPart(load, type, Part::kPhysical);
    part->minValue = IntegerValue(fields.Item(1));
    part->maxValue = IntegerValue(fields.Item(2));
    part->scale = Converted(fields.Item(3)).ToDouble();
    part->offset = Converted(fields.Item(4)).ToDouble();
    if (fields.Count() == 6) SetText(*part, fields.Item(5));
}

// 'bcd_value' or 'ascii_value', the keyword alone as the LIN grammar writes it.
void ReadMarkerValue(LoadContext& load, corvdekLINSignalEncodingTypes& type,
                     const StatementFields& fields, int kind) {
    if (fields.Count() != 1) {
        if (kind == Part::kBcd) {
            load.ReportStatement("LIN BCD Signal encoding type invalid.",
                                     u"This LIN signal encoding type is invalid for BCD (wrong "
                                     u"number of fields) at line: ",
                                     kLevelWarning);
        } else {
            load.ReportStatement("LIN ASCII Signal encoding type invalid.",
                                     u"This LIN signal encoding type is invalid for ASCII (wrong "
                                     u"number of fields) at line: ",
                                     kLevelWarning);
        }
        return;
    }
    AddPart(load, type, kind);
}

}  // namespace

bool ReadEncodingTypeStatement(LoadContext& load, int depth) {
    if (depth == 1) {
        corvdekLINSignalEncodingTypes* type = load.document.encodingTypes.Add();
        type->name.AssignCodePage(load.statement);
        load.AnchorAt(type->comments);
        return true;
    }
    corvdekLINSignalEncodingTypes* type = load.document.encodingTypes.Last();
    if (type == nullptr) {
        load.ReportStatement("LIN Signal encoding type invalid.",
                                 u"This LIN signal encoding type is invalid at line: ",
                                 kLevelWarning);
        return true;
    }
    const StatementFields fields(load.statement, ",");
    const std::string_view keyword = TrimmedView(fields.Item(0));
    if (keyword == "logical_value") {
        ReadLogicalValue(load, *type, fields);
    } else if (keyword == "physical_range" || keyword == "physical_value") {
        ReadPhysicalValue(load, *type, fields);
    } else if (keyword == "bcd_value") {
        ReadMarkerValue(load, *type, fields, Part::kBcd);
    } else if (keyword == "ascii_value") {
        ReadMarkerValue(load, *type, fields, Part::kAscii);
    } else {
        return false;
    }
    return true;
}

bool ReadRepresentationStatement(LoadContext& load) {
    const SplitAtFirst parts(load.statement, ':');
    if (!parts.found) {
        load.ReportStatement("LIN Signal representation line invalid.",
                                 u"This LIN Signal representation is invalid at line: ",
                                 kLevelWarning);
        return true;
    }
    corvdekLINSignalRepresentations* representation = load.document.representations.Add();
    load.AnchorAt(representation->comments);
    AssignTrimmed(representation->encodingName, parts.head);
    const StatementFields names(TrimmedView(parts.rest), ",");
    AddTrimmedFields(representation->signalNames, names);
    return true;
}
