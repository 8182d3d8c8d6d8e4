#pragma once
// "보관어음 명세통지": the stored-bill notices the banks sent, totals by kind,
// the gap request for the searched bank and day, the text save and the
// printed list.

#include "inquiries/screens/NoticeListBase.h"

class Tqv_draft_frm : public NoticeListBase
{
    Q_OBJECT
public:
    explicit Tqv_draft_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_draft_frm() override;

    TListGrid *grd_draftlist = nullptr;
    TListGrid *grd_test = nullptr;
    TDDButton *DDButton1 = nullptr;
    TDDButton *KitButton1 = nullptr;

    void KitButton1Click() { requestGaps(); }

protected:
    QString statement(const NoticeFilter &filter, bool enterForm) const override;
    QString gapRefusal() const override;
    RequestResult sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps) override;
    ListSaveDecl saveDecl() override;
    ListReportDecl reportDecl(QStringList &totalLabels) override;
};

void registerDraftScreen();
