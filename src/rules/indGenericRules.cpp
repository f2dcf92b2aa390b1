#include "rules/indGenericRules.h"

#include "rules/indRuleRequest.h"

bool indGenericRules::Handle(indRuleRequest& r)
{
    (void)r;
    return false;
}
