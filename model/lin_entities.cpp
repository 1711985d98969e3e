#include "lin_entities.h"

bool corvdekLINNode::HasAttributes() const {
    for (const corvString* text : {&protocol, &configuredNAD, &responseError, &p2Min, &stMin,
                                   &supplierId, &functionId, &variant, &responseTolerance}) {
        if (!text->IsEmpty()) return true;
    }
    return configurableFrameNames.Count() > 0 || configurableFrameIds.Count() > 0;
}
