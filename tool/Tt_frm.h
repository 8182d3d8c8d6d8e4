#pragma once
// The one window of the inspection tool: connect to the application server,
// list its tables, browse a table (the dated ones over a range of send
// dates), run a select or any other statement typed into the memo, and show
// the last answer in the grid.

#include "tool/ToolLink.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;
class TDDButton;
class TKitSimplePanel;

namespace tool {
class ResultGridModel;
}

class Tt_frm : public QWidget
{
    Q_OBJECT
public:
    explicit Tt_frm(QWidget *parent = nullptr);
    ~Tt_frm() override;

    // The link to the application server.
    tool::ToolLink &link() { return scktconnect; }

    // Handlers, named after the component and the event.
    void FormActivate();
    void Edit1KeyPress();
    void Button1Click();
    void Memo1KeyPress();
    void btn1Click();
    void btn2Click();
    void Button2Click();
    void Button2KeyPress(QChar &Key);
    void cmbChange(int index);
    void FormClose();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void ListTables();
    void ShowAnswer(const qvx::ResultSet &answer);

    // The window's controls from the top: the server section, the memo
    // section, the table section and the grid.
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label2 = nullptr;
    TKitSimplePanel *KitSimplePanel1 = nullptr;
    TKitSimplePanel *KitSimplePanel2 = nullptr;
    TKitSimplePanel *KitSimplePanel3 = nullptr;
    TKitSimplePanel *KitSimplePanel4 = nullptr;
    QLineEdit *Edit1 = nullptr;
    TDDButton *Button1 = nullptr;
    TDDButton *btn1 = nullptr;
    TDDButton *btn2 = nullptr;
    TDDButton *Button2 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QDateEdit *dtpkr_start = nullptr;
    QDateEdit *dtpkr_end = nullptr;
    QComboBox *cmb = nullptr;
    QTableView *DBGrid1 = nullptr;

    tool::ToolLink scktconnect;
    tool::ResultGridModel *m_cds = nullptr;
    bool m_activated = false;
};
