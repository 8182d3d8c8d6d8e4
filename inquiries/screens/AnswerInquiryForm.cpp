#include "inquiries/screens/AnswerInquiryForm.h"

#include "controls/panels/DDButton.h"
#include "controls/panels/KitComboBox.h"
#include "core/DMUnit.h"
#include "core/Session.h"
#include "core/screens/FormParts.h"
#include "core/screens/KitLook.h"
#include "core/screens/ListGrid.h"
#include "core/screens/ListKit.h"
#include "core/screens/ScreenParts.h"
#include "platform/Prompt.h"
#include "platform/TListGrid.h"

#include <QAction>

AnswerInquiryForm::AnswerInquiryForm(const ScreenContext &context, QWidget *owner, const Layout &layout,
                                     ListColumns columns)
    : QWidget(owner), session(context.session), dm(context.dm), m_columns(std::move(columns))
{
    setObjectName(QString::fromLatin1(layout.name));
    setWindowTitle(layout.caption);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(900, 560);
    SetFormColour(this);

    MakeBand(this, "pnl_searchtitle", layout.searchHeading, 24);
    m_search = MakeBar(this, "pnl_search", layout.searchHeight, alTop);
    btn_search = MakeButton(m_search, "btn_search", QStringLiteral("조 회"), 0, 0, 90, 26);

    TKitSimplePanel *bottom = MakeBar(this, "pnl_bottom", 44, alBottom);
    int x = 8;
    auto button = [&x, bottom](const char *name, const QString &caption, int w) {
        TDDButton *b = MakeButton(bottom, name, caption, x, 9, w, 26);
        x += w + 6;
        return b;
    };
    if (layout.printing) {
        btn_print = button("btn_print", QStringLiteral("인 쇄"), 90);
        btn_preview = button("btn_preview", QStringLiteral("미리보기"), 90);
        btn_filesave = button("btn_filesave", layout.saveCaption, 120);
    }
    btn_close = button("btn_close", QStringLiteral("닫 기"), 90);
    BindClick(session, btn_close, QStringLiteral("btn_closeClick"), [this] { close(); });

    MakeBand(this, "pnl_resulttitle", layout.resultHeading, 24);
    grid = MakeListGrid(this, layout.gridName, m_columns);
    ApplyColumnVisibility(grid, objectName(), 0, layout.visibilityLastKey);
    if (layout.printing) {
        BindClick(session, btn_print, QStringLiteral("btn_printClick"),
                  [this] { PrintList(this, grid, Report1, false); });
        BindClick(session, btn_preview, QStringLiteral("btn_previewClick"),
                  [this] { PrintList(this, grid, Report1, true); });
    }
    if (layout.find)
        AddFindAction(context, this, grid);
}

void AnswerInquiryForm::makeAccountCombo(int x, int y, int width, const QString &allText, const QString &query,
                                         const QString &caption)
{
    cmb_allbank = caption.isEmpty() ? MakeCombo(m_search, "cmb_allbank", x, y, width)
                                    : MakeLabeledCombo(m_search, "cmb_allbank", caption, x, y, 70, width);
    m_accounts = std::make_unique<MotherAccountCombo>(cmb_allbank, allText);
    m_accounts->Load(*dm.scktconnect, query);
    EnterMovesFocus(cmb_allbank);
    FocusOnShow(this, cmb_allbank);
}

QVector<MotherAccount> AnswerInquiryForm::requestedAccounts() const
{
    if (const MotherAccount *chosen = m_accounts->Chosen())
        return {*chosen};
    return m_accounts->Accounts();
}

QString AnswerInquiryForm::ChosenBankCode() const
{
    const MotherAccount *chosen = m_accounts ? m_accounts->Chosen() : nullptr;
    return chosen ? chosen->bankid : QString();
}

void AnswerInquiryForm::ShowAnswer(const qvx::ResultSet &answer)
{
    FillList(grid, m_columns, answer);
    answered(answer);
}

void AnswerInquiryForm::answered(const qvx::ResultSet &) {}

void AnswerInquiryForm::clearList()
{
    ClearGridRows(grid, grid->ColCount() - 1);
}

bool AnswerInquiryForm::requestWentOut(const RequestResult &result, const QString &failedText) const
{
    using Outcome = RequestResult::Outcome;
    switch (result.outcome) {
    case Outcome::Sent:
        return true;
    case Outcome::InsertFailed:
    case Outcome::CommitFailed:
    case Outcome::ConnectionLost:
        qvx::Prompt::instance().message(failedText);
        return false;
    case Outcome::Empty:
    case Outcome::ReserveFailed:
    case Outcome::Withdrawn:
        return false;
    }
    return false;
}

QWidget *AnswerInquiryForm::searchPanel() const
{
    return m_search;
}
