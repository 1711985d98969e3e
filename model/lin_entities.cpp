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

int corvdekLINEventFrame::IdPosition() const {
    for (int i = 0; i < frameList.Count(); ++i) {
        const std::u16string_view item = frameList.Item(i).View();
        if (!item.empty() && item[0] >= u'0' && item[0] <= u'9') return i;
    }
    return -1;
}

corvString corvdekLINEventFrame::CollisionTable() const {
    return IdPosition() == 1 ? frameList.Item(0) : corvString();
}

corvString corvdekLINEventFrame::Id() const {
    const int position = IdPosition();
    return position < 0 ? corvString() : frameList.Item(position);
}

corvStringArray corvdekLINEventFrame::Frames() const {
    corvStringArray frames;
    for (int i = IdPosition() + 1; i < frameList.Count(); ++i) frames.Add(frameList.Item(i));
    return frames;
}

void corvdekLINEventFrame::Assign(const corvString& collisionTable, const corvString& id,
                                  const corvStringArray& frames) {
    frameList.Clear();
    if (!collisionTable.IsEmpty()) frameList.Add(collisionTable);
    if (!id.IsEmpty()) frameList.Add(id);
    for (int i = 0; i < frames.Count(); ++i) frameList.Add(frames.Item(i));
}
