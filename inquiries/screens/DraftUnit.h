#pragma once
// "보관어음 명세통지": the stored-bill notices the banks sent, totals by kind,
// the gap request for the searched bank and day, the text save and the
// printed list.

#include "core/screens/ScreenContext.h"
#include "core/screens/ScreenInterfaces.h"
#include "inquiries/screens/NoticeFilterBar.h"
#include "inquiries/DraftNotices.h"
#include "platform/Report.h"
#include "platform/ResultSet.h"

#include <QWidget>
#include <memory>
#include <optional>

class AccountCombo;
class BankCombo;
class DateRange;
class ListReportRows;
class NoticeTotalsGrid;
class QDateEdit;
class QStatusBar;
class Session;
class Tdm;
class TDDButton;
class TKitComboBox;
class TListGrid;
class TransferKindCombo;

class Tqv_draft_frm : public QWidget, public ISearchScreen, public NoticeFilterBar
{
    Q_OBJECT
public:
    explicit Tqv_draft_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_draft_frm() override;

    Session &session;
    Tdm &dm;

    TListGrid *grd_draftlist = nullptr;
    TListGrid *grd_test = nullptr;
    TDDButton *DDButton1 = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *KitButton1 = nullptr;
    TDDButton *btn_filesave = nullptr;
    TDDButton *btn_close = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    qvx::Report Report1;

    void btn_searchClick(QObject *sender) override;
    void KitButton1Click();
    void btn_filesaveClick();

private:
    void FormCreate();
    void buildReport();
    void Report1BeforePrint();
    DraftNoticeFilter chosenFilter() const;

    std::unique_ptr<ListReportRows> m_reportRows;
    NoticeTotalsGrid *m_totals = nullptr;
    qvx::ResultSet m_listedRows;
    std::optional<DraftNoticeFilter> m_listed;
};

void registerDraftScreen();
