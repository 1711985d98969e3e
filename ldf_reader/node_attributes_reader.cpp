// Node_attributes (the attributes of the slave nodes) and composite (configurations made
// of composite nodes).

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

constexpr const char* kWithoutNode = "LIN Node Attribute without Node Connection.";
constexpr const char16_t* kWithoutNodeAt =
    u"This LIN Node Attribute belongs to an invalid node at line: ";
constexpr const char16_t* kAttributeInvalidAt = u"This LIN Node Attribute is invalid at line: ";
constexpr const char* kCompositeInvalid = "LIN Composite Node invalid";
constexpr const char16_t* kCompositeInvalidAt = u"LIN Composite Node invalid at line: ";

void ReadProductId(corvdekLINDefinitionFile& document, corvdekLINNode& node,
                   const corvString& value) {
    const StatementFields fields(value, u",");
    if (fields.Count() != 3) {
        document.ReportStatement("LIN Node Attribute Product ID Invalid.", kAttributeInvalidAt,
                                 kLevelWarning);
        return;
    }
    node.supplierId = Trimmed(fields.Item(0));
    node.functionId = Trimmed(fields.Item(1));
    node.variant = Trimmed(fields.Item(2));
}

// 'key = value' inside a node's block.
void ReadAttribute(corvdekLINDefinitionFile& document, corvdekLINNode& node) {
    if (document.statement.Equals(u"configurable_frames")) return;
    const StatementFields fields(document.statement.View(), u"=");
    if (fields.Count() != 2) {
        document.ReportStatement("LIN Node Attribute Invalid.", kAttributeInvalidAt,
                                 kLevelWarning);
        return;
    }
    const corvString key = Trimmed(fields.Item(0));
    const corvString value = Trimmed(fields.Item(1));
    if (key.Equals(u"LIN_protocol")) {
        node.protocol = value;
        node.protocol.TrimQuotes();
    } else if (key.Equals(u"configured_NAD")) {
        node.configuredNAD = value;
    } else if (key.Equals(u"product_id")) {
        ReadProductId(document, node, value);
    } else if (key.Equals(u"response_error")) {
        node.responseError = value;
    } else if (key.Equals(u"P2_min")) {
        node.p2Min = WithoutCharacters(value.View(), u"ms");
    } else if (key.Equals(u"ST_min")) {
        node.stMin = WithoutCharacters(value.View(), u"ms");
    } else if (key.Equals(u"response_tolerance")) {
        node.responseTolerance = WithoutCharacters(value.View(), u"%");
    }
}

// 'frame name = message id' inside configurable_frames; anything else is dropped.
void ReadConfigurableFrame(const corvString& statement, corvdekLINNode& node) {
    const StatementFields fields(statement, u"=");
    if (fields.Count() != 2) return;
    node.configurableFrameNames.Add(Trimmed(fields.Item(0)));
    node.configurableFrameIds.Add(Trimmed(fields.Item(1)));
}

}  // namespace

void ReadNodeAttributesStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        document.statement.Trim();
        document.attributeNodeIndex =
            document.slaveLookup.Find(document.nodes, document.statement.View());
        return;
    }
    corvdekLINNode* node = document.nodes.Get(document.attributeNodeIndex);
    if (node == nullptr) {
        document.ReportStatement(kWithoutNode, kWithoutNodeAt, kLevelWarning);
        return;
    }
    if (depth == 2) {
        ReadAttribute(document, *node);
    } else {
        ReadConfigurableFrame(document.statement, *node);
    }
}

void ReadCompositeStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        if (document.statement.Find(0, u"configuration") < 0) {
            document.ReportStatement(kCompositeInvalid, kCompositeInvalidAt, kLevelWarning);
            return;
        }
        corvString name(document.statement);
        name.Mid(14, name.Length());  // drops 'configuration ' (unchanged when no longer)
        document.compositeConfigurations.Add()->name = name;
        return;
    }
    if (depth != 2 && depth != 3) return;
    corvdekLINCompositeConfiguration* configuration = document.compositeConfigurations.Last();
    if (configuration == nullptr) {
        document.ReportStatement(kCompositeInvalid, kCompositeInvalidAt, kLevelWarning);
        return;
    }
    if (depth == 2) {
        corvdekLINCompositeNode* node = configuration->compositeNodes.Add();
        node->name = Trimmed(document.statement);
        return;
    }
    // A '{' without a name before it opens a composite node without a name.
    corvdekLINCompositeNode* node = configuration->compositeNodes.Last();
    if (node == nullptr) node = configuration->compositeNodes.Add();
    document.statement.Trim();
    node->nodeNames.Add(document.statement);
}
