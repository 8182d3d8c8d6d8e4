#include "liquor/LiquorFieldLayout.h"

const LiquorLayout &LiquorDelimitedLayout()
{
    static const LiquorLayout layout{{{1, 2}, {3, 15}, {18, 13}, {31, 13}, {44, 13}, {57, 31}, {88, 14}, {102, 2},
                                      {104, 13}}};
    return layout;
}

ConvPair LiquorConvPair(LiquorField field)
{
    static const ConvPair pairs[LiquorFieldCount] = {cvBankId, cvBankNo, cvJuMoney, cvBJuMoney, cvMoney,
                                                     cvCInfo,  cvSName,  cvGubun,   cvJumin};
    return pairs[field];
}
