// Node_attributes (the attributes of the slave nodes) and composite (configurations made
// of composite nodes).

#include <algorithm>

#include "foundation/corv_arrays.h"
#include "load_context.h"
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
void ReadProductId(LoadContext& load, corvdekLINNode& node,
                   std::string_view value) {
    const StatementFields fields(value, ",");
    if (fields.Count() != 2 && fields.Count() != 3) {
        load.ReportStatement("LIN Node Attribute Product ID Invalid.", kAttributeInvalidAt,
                                 kLevelWarning);
        return;
    }
    AssignTrimmed(node.supplierId, fields.Item(0));
    AssignTrimmed(node.functionId, fields.Item(1));
    AssignTrimmed(node.variant, fields.Count() == 3 ? fields.Item(2) : std::string_view());
}

// The attributes whose value is kept as written, and those in milliseconds whose unit is
// dropped.
corvString* PlainAttribute(corvdekLINNode& node, std::string_view key) {
    if (key == "configured_NAD") return &node.configuredNAD;
    if (key == "initial_NAD") return &node.initialNAD;
    if (key == "response_error") return &node.responseError;
    return nullptr;
}

corvString* TimeAttribute(corvdekLINNode& node, std::string_view key) {
    if (key == "P2_min") return &node.p2Min;
    if (key == "ST_min") return &node.stMin;
    if (key == "N_As_timeout") return &node.nAsTimeout;
    if (key == "N_Cr_timeout") return &node.nCrTimeout;
    if (key == "wakeup_time") return &node.wakeupTime;
    if (key == "poweron_time") return &node.poweronTime;
    return nullptr;
}

// The attribute's key as a static text, for the anchor of its comments; empty for a key
// that is not kept.
std::u16string_view AttributeSlot(std::string_view key) {
    static constexpr std::u16string_view kKeys[] = {
        u"LIN_protocol", u"configured_NAD", u"initial_NAD", u"product_id", u"response_error",
        u"fault_state_signals", u"P2_min", u"ST_min", u"N_As_timeout", u"N_Cr_timeout",
        u"response_tolerance", u"wakeup_time", u"poweron_time"};
    for (const std::u16string_view known : kKeys) {
        if (std::equal(known.begin(), known.end(), key.begin(), key.end())) return known;
    }
    return {};
}

// 'key = value' inside a node's block.
bool ReadAttribute(LoadContext& load, corvdekLINNode& node) {
    if (load.statement == "configurable_frames") {
        load.AnchorAtEntry(node.comments, u"attribute", u"configurable_frames");
        return true;
    }
    const StatementFields fields(load.statement, "=");
    if (fields.Count() != 2) {
        load.ReportStatement("LIN Node Attribute Invalid.", kAttributeInvalidAt,
                                 kLevelWarning);
        return true;
    }
    const std::string_view key = TrimmedView(fields.Item(0));
    const std::string_view value = TrimmedView(fields.Item(1));
    load.AnchorAtEntry(node.comments, u"attribute", AttributeSlot(key));
    if (corvString* plain = PlainAttribute(node, key)) {
        plain->AssignCodePage(value);
    } else if (corvString* time = TimeAttribute(node, key)) {
        *time = WithoutCharacters(value, "ms");
    } else if (key == "LIN_protocol") {
        node.protocol.AssignCodePage(value);
        node.protocol.TrimQuotes();
    } else if (key == "product_id") {
        ReadProductId(load, node, value);
    } else if (key == "fault_state_signals") {
        const StatementFields signalNames(value, ",");
        node.faultStateSignals.Clear();
        AddTrimmedFields(node.faultStateSignals, signalNames);
    } else if (key == "response_tolerance") {
        node.responseTolerance = WithoutCharacters(value, "%");
    } else {
        return false;
    }
    return true;
}

// Inside configurable_frames: 'frame = message id' (LIN 2.0) or the frame's name alone
// (LIN 2.1 and later), in configuration order.
bool ReadConfigurableFrame(LoadContext& load, corvdekLINNode& node) {
    const StatementFields fields(load.statement, "=");
    if (fields.Count() > 2) return false;
    AddTrimmed(node.configurableFrameNames, fields.Item(0));
    load.AnchorAtEntry(node.comments, u"configurable",
                       node.configurableFrameNames.Item(node.configurableFrameNames.Count() - 1).View());
    node.configurableFrameIds.Add(fields.Count() == 2 ? Trimmed(fields.Item(1)) : corvString());
    return true;
}

// Keeps a statement of a block whose node is not known yet for the end of the load; its
// comments wait with it.
void Defer(LoadContext& load, int depth) {
    LoadContext::DeferredAttributeStatement& deferred = load.deferredAttributeStatements.emplace_back();
    deferred.nodeName = load.attributeNodeName;
    deferred.statement = load.statement;
    deferred.depth = depth;
    deferred.place = load.place;
    load.AnchorAt(deferred.comments);
}

}  // namespace

bool ReadNodeAttributesStatement(LoadContext& load, int depth) {
    if (depth == 1) {
        // A node's block opens with its name; an attribute outside a block belongs to none.
        if (load.statement.find('=') != std::string_view::npos) return false;
        load.attributeNodeName.AssignCodePage(load.statement);
        load.attributeNodeIndex = load.slaveLookup.Find(load.document.nodes, load.attributeNodeName.View());
        if (corvdekLINNode* node = load.document.nodes.Get(load.attributeNodeIndex)) {
            load.AnchorAt(node->comments);
        } else {
            Defer(load, depth);
        }
        return true;
    }
    corvdekLINNode* node = load.document.nodes.Get(load.attributeNodeIndex);
    if (node == nullptr && !load.attributeNodeName.IsEmpty()) {
        Defer(load, depth);
        return true;
    }
    if (node == nullptr) {
        load.ReportStatement(kWithoutNode, kWithoutNodeAt, kLevelWarning);
        return true;
    }
    if (depth == 2) return ReadAttribute(load, *node);
    // An entry of configurable_frames, and as well a statement nested deeper or one at
    // depth 0 after the section, which belongs to the node read last.
    return ReadConfigurableFrame(load, *node);
}

void ReadCompositeNodeList(LoadContext& load, std::string_view list) {
    corvdekLINCompositeConfiguration* configuration = load.document.compositeConfigurations.Last();
    if (configuration == nullptr) {
        load.ReportStatement(kCompositeInvalid, kCompositeInvalidAt, kLevelWarning);
        return;
    }
    // A '{' without a name before it opens a composite node without a name.
    corvdekLINCompositeNode* node = configuration->compositeNodes.Last();
    if (node == nullptr) node = configuration->compositeNodes.Add();
    const StatementFields names(list, ",");
    AddTrimmedFields(node->nodeNames, names);
    load.AnchorAt(node->comments, u"nodes");
}

bool ReadCompositeStatement(LoadContext& load, int depth) {
    if (depth == 1) {
        if (load.statement.find("configuration") == std::string_view::npos) {
            load.ReportStatement(kCompositeInvalid, kCompositeInvalidAt, kLevelWarning);
            return true;
        }
        // The name follows the keyword and the white space after it.
        constexpr std::string_view keyword = "configuration";
        std::string_view name = load.statement;
        if (name.starts_with(keyword) && name.size() > keyword.size()) {
            name.remove_prefix(keyword.size());
        }
        corvdekLINCompositeConfiguration* configuration = load.document.compositeConfigurations.Add();
        AssignTrimmed(configuration->name, name);
        load.AnchorAt(configuration->comments);
        return true;
    }
    if (depth == 3) {
        ReadCompositeNodeList(load, load.statement);
        return true;
    }
    if (depth != 2) return false;
    corvdekLINCompositeConfiguration* configuration = load.document.compositeConfigurations.Last();
    if (configuration == nullptr) {
        load.ReportStatement(kCompositeInvalid, kCompositeInvalidAt, kLevelWarning);
        return true;
    }
    corvdekLINCompositeNode* node = configuration->compositeNodes.Add();
    AssignTrimmed(node->name, load.statement);
    load.AnchorAt(node->comments);
    return true;
}
