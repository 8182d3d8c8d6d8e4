#include "inquiries/screens/AnswerInquiryForm.h"

#include "core/screens/ListKit.h"

AnswerInquiryForm::AnswerInquiryForm(const ScreenContext &context, QWidget *owner, const Layout &layout,
                                     ListDecl declaration)
    : ScreenForm(context, owner)
{
    SetUpForm(this, layout.name, layout.caption, 900, 560);
    setAttribute(Qt::WA_DeleteOnClose);

    MakeBand(this, "pnl_searchtitle", layout.searchHeading, 24);
    m_search = MakeBar(this, "pnl_search", layout.searchHeight, alTop);
    btn_search = MakeButton(m_search, "btn_search", QStringLiteral("조 회"), 0, 0, 90, 26);

    TKitSimplePanel *bottom = MakeBar(this, "pnl_bottom", 44, alBottom);
    ButtonRow buttons(session, bottom);
    if (layout.printing && layout.printingInert) {
        btn_print = buttons.add("btn_print", QStringLiteral("인 쇄"), 90);
        btn_preview = buttons.add("btn_preview", QStringLiteral("미리보기"), 90);
        btn_filesave = buttons.add("btn_filesave", layout.saveCaption, 120);
        SetButtonEnabled(btn_filesave, false);
    } else if (layout.printing) {
        btn_print = buttons.add("btn_print", QStringLiteral("인 쇄"), 90,
                                [this] { PrintList(this, grid, Report1, false, m_frame->decl().grid.emptyCol); });
        btn_preview = buttons.add("btn_preview", QStringLiteral("미리보기"), 90,
                                  [this] { PrintList(this, grid, Report1, true, m_frame->decl().grid.emptyCol); });
        btn_filesave = buttons.add("btn_filesave", layout.saveCaption, 120);
    }
    btn_close = buttons.add("btn_close", QStringLiteral("닫 기"), 90, [this] { close(); });

    MakeBand(this, "pnl_resulttitle", layout.resultHeading, 24);
    const bool printed = declaration.report.has_value();
    m_frame = std::make_unique<ListFrame>(context, this, std::move(declaration));
    grid = m_frame->makeGrid(this);
    m_frame->formCreate();
    if (printed)
        m_frame->attachReport(Report1);
}

AnswerInquiryForm::~AnswerInquiryForm() = default;

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
    m_frame->fill(answer);
}

bool AnswerInquiryForm::startRequest()
{
    if (RefuseWhenOffline(session))
        return false;
    m_frame->clear();
    return true;
}

bool AnswerInquiryForm::requestWentOut(const RequestResult &result, const QString &failedText)
{
    return RequestWentOut(result, QString(), failedText);
}

QWidget *AnswerInquiryForm::searchPanel() const
{
    return m_search;
}

QString AnswerInquiryForm::nowName()
{
    return qvx::Clock::now().toString(QStringLiteral("yyMMdd-hhmmss"));
}
