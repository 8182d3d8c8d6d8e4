#pragma once
// The base of the request screens whose list the bank's answer fills
// (balances, account-holder names, the two transaction summaries): a search
// band with the mother-account combo and "조 회", a result band with the
// screen's declared list on the list frame, the bottom buttons, and the
// answer interface through which the reply dispatcher hands over the latest
// answers.

#include "core/RequestSender.h"
#include "core/screens/ListFrame.h"
#include "core/screens/MotherAccountCombo.h"
#include "core/screens/ScreenForm.h"
#include "core/screens/ScreenInterfaces.h"
#include "platform/Report.h"
#include "platform/ResultSet.h"

#include <memory>

class TDDButton;
class TKitComboBox;
class TKitSimplePanel;

class AnswerInquiryForm : public ScreenForm, public IAnswerScreen, public IBankChoiceScreen
{
    Q_OBJECT
public:
    struct Layout
    {
        const char *name;          // component name
        QString caption;           // window caption
        QString searchHeading;     // " ◎ ..." above the search controls
        QString resultHeading;     // " ◎ ..." above the list
        int searchHeight = 44;     // height of the search band's controls
        bool printing = true;      // 인 쇄, 미리보기 and save
        QString saveCaption = QStringLiteral("Text 파일 저장");
        // The screen has no report and no save: 인 쇄 and 미리보기 do
        // nothing and the save button is disabled.
        bool printingInert = false;
    };

    // `declaration` declares the grid (name, columns, visibility keys, find)
    // and, where the screen prints, its report.
    AnswerInquiryForm(const ScreenContext &context, QWidget *owner, const Layout &layout, ListDecl declaration);
    ~AnswerInquiryForm() override;

    TKitComboBox *cmb_allbank = nullptr;
    TDDButton *btn_search = nullptr;
    TDDButton *btn_print = nullptr;
    TDDButton *btn_preview = nullptr;
    TDDButton *btn_filesave = nullptr;
    TDDButton *btn_close = nullptr;
    TListGrid *grid = nullptr;
    qvx::Report Report1;

    // IAnswerScreen: the list from the answered rows (an empty answer leaves
    // the list empty; the dispatcher says so).
    void ShowAnswer(const qvx::ResultSet &answer) override;
    // IBankChoiceScreen: the chosen account's bank, "" for every account.
    QString ChosenBankCode() const override;

    const ListColumns &Columns() const { return *m_frame->decl().grid.columns; }

protected:
    ListFrame &list() const { return *m_frame; }
    // The listed answers read into the screen's answer rows, in list order.
    template <class Answer>
    QList<Answer> listedAs() const
    {
        QList<Answer> answers;
        const qvx::ResultSet &rs = m_frame->listed();
        for (int i = 0; i < rs.recordCount(); ++i)
            answers.append(Answer::FromRow(rs, i));
        return answers;
    }
    // The save: the listed answers one text line each, or the list as a
    // spreadsheet; the proposed name is now as yymmdd-hhnnss + `nameSuffix`.
    template <class Answer>
    void saveAnswers(const QString &nameSuffix, QString (*line)(const Answer &), const ListSaveOptions &options = {})
    {
        ListSaveDecl save;
        save.proposedName = [nameSuffix] { return nowName() + nameSuffix; };
        save.lines = [this, line] {
            QStringList lines;
            for (const Answer &a : listedAs<Answer>())
                lines << line(a);
            return lines;
        };
        save.options = options;
        m_frame->save(save);
    }
    // The panel of the search band where the screen's own controls go.
    QWidget *searchPanel() const;
    // The mother-account combo at x, y: "모든 은행계좌" first when allText is
    // given; the accounts of `query` (a select of table bank); with a
    // caption, the caption left of it and the combo after that.
    void makeAccountCombo(int x, int y, int width, const QString &allText, const QString &query,
                          const QString &caption = QString());
    MotherAccountCombo &accounts() const { return *m_accounts; }
    // The accounts a request goes to: the chosen one, or all of them.
    QVector<MotherAccount> requestedAccounts() const;
    bool allAccountsChosen() const { return !m_accounts->Chosen(); }

    // The start of every request: refused while the server is gone, else
    // the list is emptied until the answer comes.
    bool startRequest();
    // The request rows as one batch; false when they did not go out (the
    // reservation and registration say why themselves, a refused row or
    // commit gives `failedText`).
    template <class Row>
    bool sendRequest(const RequestBatch &batch, const QList<Row> &rows, const QString &failedText,
                     RequestResult *result = nullptr)
    {
        RequestSender sender(dm);
        const RequestResult r = sender.sendRows(batch, rows);
        if (result)
            *result = r;
        return requestWentOut(r, failedText);
    }

private:
    static QString nowName();
    static bool requestWentOut(const RequestResult &result, const QString &failedText);

    TKitSimplePanel *m_search = nullptr;
    std::unique_ptr<ListFrame> m_frame;
    std::unique_ptr<MotherAccountCombo> m_accounts;
};
