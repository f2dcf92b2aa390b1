#include "rules/indListRules.h"

#include "rules/indKeyPortRules.h"
#include "rules/indMskAddressRules.h"
#include "rules/indScanListRules.h"
#include "rules/indToneListRules.h"

bool indListRules::Handle(indRuleRequest& r)
{
    return indScanListRules::Handle(r) || indToneListRules::Handle(r) ||
           indMskAddressRules::Handle(r) || indKeyPortRules::Handle(r);
}
