#include "controls/panels/KitControl.h"

#include <QApplication>
#include <QTableWidget>
#include <gtest/gtest.h>

TEST(AlignLayout, DocksInOrderTopsBottomsLeftsRightsThenClient)
{
    QWidget form;
    form.resize(400, 300);
    auto make = [&](int w, int h) {
        auto *p = new TKitSimplePanel(&form);
        p->resize(w, h);
        return p;
    };
    auto *top1 = make(10, 30), *top2 = make(10, 20), *bottom1 = make(10, 40), *bottom2 = make(10, 10);
    auto *left = make(50, 10), *right = make(60, 10);
    auto *list = new QTableWidget(&form);
    top1->SetAlign(alTop);
    bottom1->SetAlign(alBottom);
    left->SetAlign(alLeft);
    SetAlign(list, alClient); // any widget docks
    top2->SetAlign(alTop);
    right->SetAlign(alRight);
    bottom2->SetAlign(alBottom);
    EXPECT_EQ(top1->geometry(), QRect(0, 0, 400, 30));
    EXPECT_EQ(top2->geometry(), QRect(0, 30, 400, 20));
    EXPECT_EQ(bottom1->geometry(), QRect(0, 260, 400, 40));
    EXPECT_EQ(bottom2->geometry(), QRect(0, 250, 400, 10));
    EXPECT_EQ(left->geometry(), QRect(0, 50, 50, 200));
    EXPECT_EQ(right->geometry(), QRect(340, 50, 60, 200));
    EXPECT_EQ(list->geometry(), QRect(50, 50, 290, 200));
    EXPECT_EQ(GetAlign(list), alClient);
    EXPECT_EQ(top2->Align(), alTop);

    // The container grows: bands keep their height, the client fills.
    form.resize(500, 400);
    QApplication::sendPostedEvents();
    form.layout()->activate();
    EXPECT_EQ(top1->geometry(), QRect(0, 0, 500, 30));
    EXPECT_EQ(bottom1->geometry(), QRect(0, 360, 500, 40));
    EXPECT_EQ(list->geometry(), QRect(50, 50, 390, 300));

    // A hidden band takes no room; a height change re-aligns.
    top2->hide();
    form.layout()->activate();
    EXPECT_EQ(list->geometry().top(), 30);
    top1->SetHeight(60);
    EXPECT_EQ(top1->geometry(), QRect(0, 0, 500, 60));
    EXPECT_EQ(list->geometry().top(), 60);
    EXPECT_EQ(left->geometry().top(), 60);
}

TEST(AlignLayout, UndockedPanelKeepsItsGeometryAndCanBeSentBehind)
{
    QWidget form;
    form.resize(300, 200);
    auto *list = new QTableWidget(&form);
    SetAlign(list, alClient);
    auto *hidden = new TKitSimplePanel(&form);
    hidden->setGeometry(20, 20, 50, 50);
    hidden->SetAlign(alNone);
    SendToBack(hidden);
    EXPECT_EQ(hidden->geometry(), QRect(20, 20, 50, 50));
    EXPECT_EQ(form.children().indexOf(hidden) < form.children().indexOf(list), true);
    // docking and undocking again
    hidden->SetAlign(alTop);
    EXPECT_EQ(hidden->geometry(), QRect(0, 0, 300, 50));
    hidden->SetAlign(alNone);
    hidden->setGeometry(5, 5, 10, 10);
    form.layout()->activate();
    EXPECT_EQ(hidden->geometry(), QRect(5, 5, 10, 10));
    EXPECT_EQ(list->geometry(), QRect(0, 0, 300, 200));
}

TEST(AlignLayout, LoginStyleCollapseByHeight)
{
    QWidget dlg;
    dlg.resize(300, 250);
    auto *top = new TKitSimplePanel(&dlg);
    top->resize(10, 100);
    top->SetAlign(alTop);
    auto *settings = new TKitSimplePanel(&dlg);
    settings->resize(10, 80);
    settings->SetAlign(alTop);
    auto *buttons = new TKitSimplePanel(&dlg);
    buttons->resize(10, 40);
    buttons->SetAlign(alBottom);
    EXPECT_EQ(settings->geometry(), QRect(0, 100, 300, 80));
    settings->SetHeight(0);
    EXPECT_EQ(settings->geometry().height(), 0);
    settings->SetHeight(80);
    EXPECT_EQ(settings->geometry(), QRect(0, 100, 300, 80));
    EXPECT_EQ(buttons->geometry(), QRect(0, 210, 300, 40));
}

TEST(AlignLayout, DeletingADockedChildRealignsTheRest)
{
    QWidget form;
    form.resize(200, 200);
    auto *top = new TKitSimplePanel(&form);
    top->resize(10, 50);
    top->SetAlign(alTop);
    auto *client = new TKitSimplePanel(&form);
    client->SetAlign(alClient);
    EXPECT_EQ(client->geometry(), QRect(0, 50, 200, 150));
    delete top;
    form.layout()->activate();
    EXPECT_EQ(client->geometry(), QRect(0, 0, 200, 200));
    EXPECT_EQ(form.layout()->count(), 1);
}

TEST(AlignLayout, ShowingOrHidingADockedBandRealignsAtOnce)
{
    QWidget form;
    form.resize(300, 200);
    auto *top = new TKitSimplePanel(&form);
    top->resize(300, 40);
    top->SetAlign(alTop);
    auto *buttons = new TKitSimplePanel(&form);
    buttons->resize(300, 30);
    buttons->SetAlign(alBottom);
    auto *list = new QTableWidget(&form);
    SetAlign(list, alClient);
    form.show();
    QApplication::processEvents();
    ASSERT_EQ(list->geometry(), QRect(0, 40, 300, 130));
    // No event processing in between: the screen reads the sizes right away.
    top->SetVisible(false);
    EXPECT_EQ(list->geometry(), QRect(0, 0, 300, 170));
    buttons->SetVisible(false);
    EXPECT_EQ(list->geometry(), QRect(0, 0, 300, 200));
    top->SetVisible(true);
    EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 40));
    EXPECT_EQ(list->geometry(), QRect(0, 40, 300, 160));
    // also while the form itself is hidden
    form.hide();
    buttons->SetVisible(true);
    EXPECT_EQ(buttons->geometry(), QRect(0, 170, 300, 30));
    EXPECT_EQ(list->geometry(), QRect(0, 40, 300, 130));
}
