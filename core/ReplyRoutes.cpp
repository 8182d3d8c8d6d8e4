#include "core/ReplyRoutes.h"

#include <QList>

namespace {

struct Entry
{
    int code;
    ReplyAction action;
    const char *screen;
    const char *dialog;
    const char *table;
    bool collection;
};

const Entry Routes[] = {
    {0, ReplyAction::PacketError, "", "", "", false},
    {110100, ReplyAction::ResultRange, "qv_ichesearch_frm", "", "", false},
    {111100, ReplyAction::ResultRange, "qv_ichesearch_frm", "", "", false},
    {112100, ReplyAction::JuruResultRange, "qv_j_ichesearch_frm", "", "", true},
    {113100, ReplyAction::JuruResultRange, "qv_j_ichesearch_frm", "", "", false},
    {200300, ReplyAction::Search, "qv_deposit_frm", "", "", false},
    {210640, ReplyAction::Search, "qv_deposit_frm", "", "", false},
    {200900, ReplyAction::Search, "qv_v_deposit_frm", "", "", false},
    {210970, ReplyAction::Search, "qv_V_deposit_frm", "", "", false},
    {210650, ReplyAction::Search, "qv_draft_frm", "", "", false},
    {410640, ReplyAction::Search, "qv_ticheerrt_frm", "", "", false},
    {310400, ReplyAction::FillVasSummary, "Frm_Vas_trSum", "", "vas_trsum", false},
    {610100, ReplyAction::ResultDetail, "qv_ichesearch_frm", "qv_ichesearchsub_frm", "icheresult", false},
    {610300, ReplyAction::FillBalances, "qv_amtsearch_frm", "", "AMT_SEARCH", false},
    {610500, ReplyAction::ShowCode, "", "", "", false},
    {610600, ReplyAction::FillNames, "qv_TIcheNamesearch_frm", "", "ta_name_search", false},
    {611100, ReplyAction::JuruResultDetail, "qv_j_ichesearch_frm", "qv_j_ichesearchsub_frm", "icheresult_102", false},
    {612100, ReplyAction::JuruResultDetail, "qv_j_ichesearch_frm", "qv_j_ichesearchsub_frm", "icheresult_103", false},
    {710100, ReplyAction::FillSummary, "qv_trsum_frm", "", "trsum", false},
    {9000880, ReplyAction::Notice, "", "", "", false},
    {9010990, ReplyAction::NoticeCounts, "qv_depositCnt_Frm", "", "TCount_Search", false},
    {9919100, ReplyAction::SmsMark, "", "", "", false},
};

} // namespace

ReplyRoute RouteOfReply(int code)
{
    for (const Entry &e : Routes) {
        if (e.code != code)
            continue;
        ReplyRoute route;
        route.code = e.code;
        route.action = e.action;
        route.screen = QString::fromLatin1(e.screen);
        route.dialog = QString::fromLatin1(e.dialog);
        route.table = QString::fromLatin1(e.table);
        route.collection = e.collection;
        return route;
    }
    ReplyRoute none;
    none.code = code;
    return none;
}

QList<int> RoutedReplyCodes()
{
    QList<int> codes;
    for (const Entry &e : Routes)
        codes.append(e.code);
    return codes;
}
