#include "lin_rules.h"

#include "rule_support.h"

void CheckLinRules(corvdekLINDefinitionFile& document, const ClusterNameIndex& names) {
    RuleContext context(document, names);
    context.CountSignalNames();
    CheckNodeRules(context);
    CheckSignalRules(context);
    CheckFrameRules(context);
    CheckScheduleRules(context);
    CheckEncodingRules(context);
}
