#pragma once
// The client's main window: the multiple-document frame with the main menu,
// the screen-opening rule and the approval check on activation.

#include "core/screens/ScreenForm.h"
#include "core/screens/ScreenRegistry.h"

#include <QHash>
#include <QMainWindow>
#include <QString>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStatusBar;

class Tqv_frm : public ScreenOn<QMainWindow>, public ScreenHost
{
    Q_OBJECT
public:
    explicit Tqv_frm(const ScreenContext &context, QWidget *parent = nullptr);
    ~Tqv_frm() override;

    static constexpr const char *DesignCaption = "QUVEX_Client";

    QMdiArea *mdiArea() const { return m_mdi; }
    QStatusBar *StatusBar1 = nullptr;
    QMenuBar *MainMenu1 = nullptr;

    // Menu entries by component name ("qv_b1", "qv2", "mm_SMS", ...): a
    // sub-menu is reached through its QMenu::menuAction().
    QAction *item(const QString &name) const;
    QMenu *menu(const QString &name) const;

    // The user id copied from LoginUserId at start-up.
    QString UserIdField;

    // Menu handlers.
    void qv_a1Click();
    void qv_loginClick();   // qv_a2_1
    void qv_a2_2Click();
    void qv_a2_3Click();
    void qv_a3Click();
    void qv_a4Click();
    void qv_a5Click();
    void qv_a6Click();
    void qv_a7Click();
    void qv_a8Click();
    void qv_b1Click();
    void qv_b2Click();
    void qv_b3Click();
    void qv_b4Click();
    void qv_c1Click();
    void qv_c2Click();
    void qv_c3Click();
    void qv_c2_1Click();
    void qv_c7Click();      // qv_c4
    void N5Click();
    void qv_c5Click();
    void qv_d1Click();
    void qv_d2Click();
    void qv_d3Click();
    void N2Click();
    void mm_SMSTransClick();
    void mm_SMSManagerClick();
    void qv_e1Click();

    // Approval check of each activation (FormActivate) and of qv_a4.
    void FormActivate();
    // The window caption with the SMS mark ("" id: plain MainCaption).
    void ApplySmsMark(const QString &smsId);
    // A new notice window (not modal) with the text as its one line.
    void ShowAlertMessage(const QString &text);
    // " [자동송수신모듈]" appended to the caption.
    void MarkSendModule();
    // The relay was lost and the user stays offline: top menus qv1..qv4 off.
    void GoOffline();

    // ScreenHost
    void showScreen(QWidget *screen, ScreenState state) override;
    void bringToFront(QWidget *screen) override;
    QWidget *ownerWidget() override { return this; }
    ScreenContext screenContext() override { return context(); }

    // Shows a screen modally (a dialog's exec, or an application-modal window
    // with a local loop) and returns its result (QDialog codes; 0 otherwise).
    int showModalScreen(QWidget *screen);

    // Tests: whether the last activation ran the approval query.
    int approvalChecks() const { return m_approvalChecks; }

protected:
    bool event(QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void placeChild(QMdiSubWindow *sub, const QSize &designSize);
    enum class ApprovalOrigin { Activation, Menu };
    void approvalCheck(ApprovalOrigin origin);
    void buildMenu();
    QAction *addItem(QMenu *menu, const QString &name, const QString &caption, void (Tqv_frm::*handler)());
    QMenu *addMenu(QMenu *parent, const QString &name, const QString &caption);
    QAction *addBarSeparator();
    void openByRule(const QString &name, ScreenState state);
    // A new screen of that name each time, open ones left as they are.
    void openNew(const QString &name, ScreenState state);
    void openMakingScreen(bool payment);
    void openResultInquiry();
    void guarded(const QString &where, void (Tqv_frm::*handler)());
    // Every entry screen holding rows asks whether they may be lost, in
    // front; false as soon as one keeps them (the program stays open and
    // every entry screen asks again at its next close).
    bool entryScreensAgreeToExit();

    QMdiArea *m_mdi = nullptr;
    QHash<QString, QAction *> m_items; // lower-case name
    QHash<QString, QMenu *> m_menus;
    bool m_inApprovalCheck = false;
    bool m_exitAgreed = false;      // 종료 has asked the entry screens already
    bool m_skipActivation = false;  // the activation that follows our own modal approval screen
    int m_approvalChecks = 0;
    QAction *m_smsSeparator = nullptr; // the "|" that shows and hides with mm_SMS
};
