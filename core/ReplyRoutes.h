#pragma once
// Where each reply code of the relay goes: the screen that waits for it and
// what the data module does there. Plain data; the dispatcher acts on it.
//
// A reply code is the request's seven-digit service code with its third digit
// set to 1, read as a number (the leading zero is lost): "0600100" is
// answered by 610100.

#include <QString>

enum class ReplyAction {
    None,             // unknown code: nothing
    PacketError,      // code 0: "패킷 수신 오류입니다."
    ResultRange,      // general result inquiry: range of the batch sent last, radio by its kind, search
    JuruResultRange,  // liquor result inquiry: the same with the range from SeqNoBase + 1 and a fixed radio
    Search,           // bring the screen to the front and run its search
    ResultDetail,     // general result detail dialog open: fill it; else search the inquiry
    JuruResultDetail, // liquor result detail dialog: the same from icheresult_102/103
    FillBalances,     // balance inquiry: fill its list from the latest answers
    FillNames,        // account-holder name inquiry: the same
    FillSummary,      // transaction summary: the same
    FillVasSummary,   // virtual-account summary: the same
    ShowCode,         // message with the seven code characters
    NoticeCounts,     // notice counts screen: fill its counts
    Notice,           // a notice text is ready: its own alert window
    SmsMark           // the SMS id changed: caption and SMS menu
};

struct ReplyRoute
{
    int code = -1;
    ReplyAction action = ReplyAction::None;
    QString screen;      // form name on the main window ("" for none)
    QString dialog;      // result dialog owned by that screen
    QString table;       // table a fill reads (the liquor result tables)
    bool collection = false; // liquor result range: chk_sunab (else chk_jigub)
};

// The route of a code; action None for a code that answers nothing we know.
ReplyRoute RouteOfReply(int code);
// Every code with a route (tests walk them).
QList<int> RoutedReplyCodes();
