#include "lin_entities.h"

bool corvdekLINNode::HasAttributes() const {
    for (const corvString* text :
         {&protocol, &configuredNAD, &responseError, &p2Min, &stMin, &supplierId, &functionId,
          &variant, &responseTolerance, &initialNAD, &nAsTimeout, &nCrTimeout, &wakeupTime,
          &poweronTime}) {
        if (!text->IsEmpty()) return true;
    }
    return configurableFrameNames.Count() > 0 || configurableFrameIds.Count() > 0 ||
           faultStateSignals.Count() > 0;
}
