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

// 'supplier id, function id [, variant]'
void ReadProductId(corvdekLINDefinitionFile& document, corvdekLINNode& node,
                   const corvString& value) {
    const StatementFields fields(value, u",");
    if (fields.Count() != 2 && fields.Count() != 3) {
        document.ReportStatement("LIN Node Attribute Product ID Invalid.", kAttributeInvalidAt,
                                 kLevelWarning);
        return;
    }
    node.supplierId = Trimmed(fields.Item(0));
    node.functionId = Trimmed(fields.Item(1));
    node.variant = fields.Count() == 3 ? Trimmed(fields.Item(2)) : corvString();
}

// The attributes whose value is kept as written, and those in milliseconds whose unit is
// dropped.
corvString* PlainAttribute(corvdekLINNode& node, const corvString& key) {
    if (key.Equals(u"configured_NAD")) return &node.configuredNAD;
    if (key.Equals(u"initial_NAD")) return &node.initialNAD;
    if (key.Equals(u"response_error")) return &node.responseError;
    return nullptr;
}

corvString* TimeAttribute(corvdekLINNode& node, const corvString& key) {
    if (key.Equals(u"P2_min")) return &node.p2Min;
    if (key.Equals(u"ST_min")) return &node.stMin;
    if (key.Equals(u"N_As_timeout")) return &node.nAsTimeout;
    if (key.Equals(u"N_Cr_timeout")) return &node.nCrTimeout;
    if (key.Equals(u"wakeup_time")) return &node.wakeupTime;
    if (key.Equals(u"poweron_time")) return &node.poweronTime;
    return nullptr;
}

// 'key = value' inside a node's block.
bool ReadAttribute(corvdekLINDefinitionFile& document, corvdekLINNode& node) {
    if (document.statement.Equals(u"configurable_frames")) return true;
    const StatementFields fields(document.statement.View(), u"=");
    if (fields.Count() != 2) {
        document.ReportStatement("LIN Node Attribute Invalid.", kAttributeInvalidAt,
                                 kLevelWarning);
        return true;
    }
    const corvString key = Trimmed(fields.Item(0));
    const corvString value = Trimmed(fields.Item(1));
    if (corvString* plain = PlainAttribute(node, key)) {
        *plain = value;
    } else if (corvString* time = TimeAttribute(node, key)) {
        *time = WithoutCharacters(value.View(), u"ms");
    } else if (key.Equals(u"LIN_protocol")) {
        node.protocol = value;
        node.protocol.TrimQuotes();
    } else if (key.Equals(u"product_id")) {
        ReadProductId(document, node, value);
    } else if (key.Equals(u"fault_state_signals")) {
        const StatementFields signalNames(value, u",");
        node.faultStateSignals.Clear();
        for (int i = 0; i < signalNames.Count(); ++i) {
            node.faultStateSignals.Add(Trimmed(signalNames.Item(i)));
        }
    } else if (key.Equals(u"response_tolerance")) {
        node.responseTolerance = WithoutCharacters(value.View(), u"%");
    } else {
        return false;
    }
    return true;
}

// Inside configurable_frames: 'frame = message id' (LIN 2.0) or the frame's name alone
// (LIN 2.1 and later), in configuration order.
bool ReadConfigurableFrame(const corvString& statement, corvdekLINNode& node) {
    const StatementFields fields(statement, u"=");
    if (fields.Count() > 2) return false;
    node.configurableFrameNames.Add(Trimmed(fields.Item(0)));
    node.configurableFrameIds.Add(fields.Count() == 2 ? Trimmed(fields.Item(1)) : corvString());
    return true;
}

}  // namespace

bool ReadNodeAttributesStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        // A node's block opens with its name; an attribute outside a block belongs to none.
        if (document.statement.Find(0, u"=") >= 0) return false;
        document.statement.Trim();
        document.attributeNodeIndex =
            document.slaveLookup.Find(document.nodes, document.statement.View());
        document.attributeNodeName = document.statement;
        return true;
    }
    corvdekLINNode* node = document.nodes.Get(document.attributeNodeIndex);
    if (node == nullptr && !document.attributeNodeName.IsEmpty()) {
        document.statement.tag = depth;
        document.deferredAttributeNodes.Add(document.attributeNodeName);
        document.deferredAttributeStatements.Add(document.statement);
        return true;
    }
    if (node == nullptr) {
        document.ReportStatement(kWithoutNode, kWithoutNodeAt, kLevelWarning);
        return true;
    }
    if (depth == 2) return ReadAttribute(document, *node);
    return depth == 3 && ReadConfigurableFrame(document.statement, *node);
}

void ReadCompositeNodeList(corvdekLINDefinitionFile& document, const corvString& list) {
    corvdekLINCompositeConfiguration* configuration = document.compositeConfigurations.Last();
    if (configuration == nullptr) {
        document.ReportStatement(kCompositeInvalid, kCompositeInvalidAt, kLevelWarning);
        return;
    }
    // A '{' without a name before it opens a composite node without a name.
    corvdekLINCompositeNode* node = configuration->compositeNodes.Last();
    if (node == nullptr) node = configuration->compositeNodes.Add();
    const StatementFields names(list, u",");
    for (int i = 0; i < names.Count(); ++i) node->nodeNames.Add(Trimmed(names.Item(i)));
}

bool ReadCompositeStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        if (document.statement.Find(0, u"configuration") < 0) {
            document.ReportStatement(kCompositeInvalid, kCompositeInvalidAt, kLevelWarning);
            return true;
        }
        // The name follows the keyword, after spaces or after a tab or line break that
        // the loader dropped.
        const std::u16string_view keyword = u"configuration";
        std::u16string_view name = document.statement.View();
        if (name.starts_with(keyword) && name.size() > keyword.size()) {
            name.remove_prefix(keyword.size());
        }
        document.compositeConfigurations.Add()->name = Trimmed(name);
        return true;
    }
    if (depth == 3) {
        ReadCompositeNodeList(document, document.statement);
        return true;
    }
    if (depth != 2) return false;
    corvdekLINCompositeConfiguration* configuration = document.compositeConfigurations.Last();
    if (configuration == nullptr) {
        document.ReportStatement(kCompositeInvalid, kCompositeInvalidAt, kLevelWarning);
        return true;
    }
    configuration->compositeNodes.Add()->name = Trimmed(document.statement);
    return true;
}
