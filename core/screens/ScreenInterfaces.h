#pragma once
// Small interfaces that screens of the other libraries implement so that the
// core can drive them without linking them. The core reaches them with
// dynamic_cast on the screen widget it found by name.

#include <QObject>

// A screen whose search button the core (menu, data module) can run as if
// clicked; the sender is the data module or the main window.
class ISearchScreen
{
public:
    virtual ~ISearchScreen();
    virtual void btn_searchClick(QObject *sender) = 0;
};

// The result inquiry screens: the message-number range their next search
// lists (0 and 0 mean no range).
class IResultRangeScreen
{
public:
    virtual ~IResultRangeScreen();
    virtual void setResultRange(int from, int to) = 0;
    // The kind the next search lists (collections or payments); false when
    // the screen leaves it to its radio buttons "chk_sunab" / "chk_jigub".
    virtual bool setResultKind(bool collection)
    {
        (void)collection;
        return false;
    }
};

namespace qvx { class ResultSet; }

// The approval screens never query their list: the opener hands them the
// rows of its grouped batch query before showing them, and refills an open
// one in place when another batch arrives (columns 0 to 9). An empty result
// leaves the list as it is.
class IBatchListScreen
{
public:
    virtual ~IBatchListScreen();
    virtual void FillBatchList(const qvx::ResultSet &batches) = 0;
};

// A result detail dialog that waits for the answer of one result inquiry.
class IResultDetailDialog
{
public:
    virtual ~IResultDetailDialog();
    virtual int InquirySeqNo() const = 0;
    // The answered row (row 0 of the result); an empty result: no row yet.
    virtual void FillResult(const qvx::ResultSet &answer) = 0;
};

// A screen whose bank choice narrows what the data module fills in: the
// chosen account's bank code, "" for every bank.
class IBankChoiceScreen
{
public:
    virtual ~IBankChoiceScreen();
    virtual QString ChosenBankCode() const = 0;
};

// The notice-count screen: the number of its pending count request, and the
// answered counts (an empty result: not answered yet).
class INoticeCountsScreen
{
public:
    virtual ~INoticeCountsScreen();
    virtual qint64 PendingSeqNo() const = 0;
    virtual void ShowCounts(const qvx::ResultSet &answer) = 0;
};

// The screens the reply dispatcher fills from the bank's latest answers (the
// balance and account-holder name inquiries, the two summaries): the
// dispatcher brings the screen to the front and runs its statement; the
// screen fills its list with its own columns. An empty answer empties the
// list (the dispatcher then says that nothing came yet).
class IAnswerScreen
{
public:
    virtual ~IAnswerScreen();
    virtual void ShowAnswer(const qvx::ResultSet &answer) = 0;
};
