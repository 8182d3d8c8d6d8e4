#include "controls/panels/KitControl.h"
#include "KitTestOutput.h"

#include <QApplication>
#include <QPainter>
#include <QCursor>
#include <QTest>
#include <gtest/gtest.h>

TEST(KitBevel, ExtentsByModeAndStyle)
{
    TKitBevel b;
    EXPECT_EQ(b.Extent, 0);
    b.SetBorderWidth(5);
    EXPECT_EQ(b.Extent, 5);
    b.SetStyleOuter(bvFrameRaised);
    b.SetWidthOuter(2);
    EXPECT_EQ(b.GetExtent(), 5 + 2 + 1);
    b.SetBorderWidth(0);
    EXPECT_EQ(b.Extent, 3); // a frame style of width 2 counts 3
    b.SetStyleInner(bvLowered);
    b.SetWidthInner(1);
    EXPECT_EQ(b.Extent, 4);
    b.SetBorderInnerWidth(1);
    EXPECT_EQ(b.Extent, 5);

    b.SetMode(bmStandard);
    b.SetStandardStyle(lsLowered);
    EXPECT_EQ(b.Extent, 2 + 1);
    b.SetStandardStyle(lsSingleLowered);
    EXPECT_EQ(b.Extent, 1 + 1);

    b.SetMode(bmEdge);
    EXPECT_EQ(b.Extent, 2 + 1);
    b.SetBorderSides(0);
    EXPECT_EQ(b.Extent, 1);

    b.SetMode(bmWindows);
    b.WindowsBorder = false;
    EXPECT_EQ(b.GetExtent(), 3);
    b.WindowsBorder = true;
    EXPECT_EQ(b.GetExtent(), 0);
}

TEST(KitBevel, ShadowStylesAreCoupledAndSetAsymmetricExtents)
{
    TKitBevel b;
    b.SetStyleOuter(bvShadow);
    EXPECT_EQ(b.StyleInner(), bvShadow);
    b.SetWidthOuter(3);
    b.SetWidthInner(1);
    EXPECT_EQ(b.Extent, 1);
    EXPECT_EQ(b.ExtentRightBottom, 1 + 3);
    EXPECT_EQ(b.InnerRect(TRect(0, 0, 100, 50)), TRect(1, 1, 96, 46));
    b.SetStyleInner(bvRaised);
    EXPECT_EQ(b.StyleOuter(), bvNone);
}

TEST(KitBevel, SettersIgnoreEqualValuesAndStandardStyleOnlyCountsInStandardMode)
{
    TKitBevel b;
    int changes = 0;
    b.OnChange = [&](QObject *) { ++changes; };
    b.SetBorderWidth(0);
    b.SetMode(bmCustom);
    EXPECT_EQ(changes, 0);
    b.SetStandardStyle(lsRaised); // bmCustom: stored, no change
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(b.Extent, 0);
    b.BeginUpdate();
    b.SetBorderColor(clRed);
    EXPECT_EQ(changes, 0);
    b.EndUpdate(true);
    EXPECT_EQ(changes, 1);
    TKitBevel c;
    c.SetBorderWidth(4);
    b.Assign(&c);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(b.BorderWidth(), 4);
    EXPECT_EQ(b.BorderColor(), clBtnFace);
    QObject other;
    EXPECT_THROW(b.Assign(&other), EConvertError);
}

TEST(KitBevelPaint, FrameStyleAndStandardStylesShrinkAsTheyDraw)
{
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    TRect r(0, 0, 40, 40);
    EXPECT_TRUE(DrawBevelStyle(p, r, bvFrameRaised, 2, clBlack, clWhite));
    EXPECT_EQ(r, TRect(3, 3, 37, 37));
    r = TRect(0, 0, 40, 40);
    EXPECT_TRUE(DrawBevelStyle(p, r, bvRaised, 3, 0x0000FF, 0x00FF00));
    EXPECT_EQ(r, TRect(3, 3, 37, 37));
    r = TRect(0, 0, 40, 40);
    EXPECT_FALSE(DrawBevelStyle(p, r, bvShadow, 3, 0, 0));
    EXPECT_EQ(r, TRect(0, 0, 40, 40));
    for (int s = lsNone; s <= lsDoubleLowered; ++s) {
        r = TRect(0, 0, 40, 40);
        DrawStandardStyle(p, r, TKitBorderStyle(s));
        int w = StandardStyleWidth(TKitBorderStyle(s));
        if (s == lsSingle)
            EXPECT_EQ(r, TRect(1, 1, 40, 40)) << s; // only left and top adjust
        else if (s == lsRaisedspb)
            EXPECT_EQ(r, TRect(1, 1, 38, 38)) << s; // inner edge on right and bottom only
        else if (s == lsLoweredspb)
            EXPECT_EQ(r, TRect(2, 2, 39, 39)) << s; // inner edge on left and top only
        else
            EXPECT_EQ(r, TRect(w, w, 40 - w, 40 - w)) << s;
    }
    // Raised width 1: light top-left, dark bottom-right.
    img.fill(Qt::white);
    r = TRect(0, 0, 10, 10);
    DrawBevelStyle(p, r, bvRaised, 1, 0x0000FF, 0x00FF00);
    p.end();
    EXPECT_EQ(kitPixel(img, 0, 5), 0x00FF00u);
    EXPECT_EQ(kitPixel(img, 5, 0), 0x00FF00u);
    EXPECT_EQ(kitPixel(img, 9, 5), 0x0000FFu);
    EXPECT_EQ(kitPixel(img, 5, 9), 0x0000FFu);
}

TEST(KitPanel, BorderWidthFivePaintsFiveFramesAndDocksChildrenInside)
{
    QWidget form;
    form.resize(300, 200);
    auto *pnl = new TKitSimplePanel(&form);
    pnl->setGeometry(0, 0, 200, 100);
    pnl->SetColor(0xCFBCA9);
    pnl->Bevel()->SetBorderColor(0x0000FF);
    pnl->Bevel()->SetBorderWidth(5);
    auto *child = new TKitSimplePanel(pnl);
    child->SetColor(0x00FF00);
    child->SetAlign(alClient);
    EXPECT_EQ(child->geometry(), QRect(5, 5, 190, 90));
    QImage img = kitGrab(pnl);
    kitSavePicture(img, "panel_border5");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(kitPixel(img, i, 50), 0x0000FFu) << i;
        EXPECT_EQ(kitPixel(img, 199 - i, 50), 0x0000FFu) << i;
        EXPECT_EQ(kitPixel(img, 100, i), 0x0000FFu) << i;
    }
    EXPECT_EQ(kitPixel(img, 5, 50), 0x00FF00u);

    pnl->SetTransparent(true);
    QImage t = kitGrab(pnl);
    kitSavePicture(t, "panel_border5_transparent");
    EXPECT_EQ(kitPixel(t, 0, 50), 0xCFBCA9u); // no frame, the panel's colour
    EXPECT_EQ(child->geometry(), QRect(5, 5, 190, 90));
}

TEST(KitPanel, StandardLoweredFrameAndWindowsMode)
{
    QWidget form;
    auto *pnl = new TKitSimplePanel(&form);
    pnl->setGeometry(0, 0, 120, 60);
    pnl->Bevel()->SetMode(bmStandard);
    pnl->Bevel()->SetStandardStyle(lsSingleLowered);
    pnl->Bevel()->SetBorderInnerWidth(1);
    auto *child = new TKitSimplePanel(pnl);
    child->SetAlign(alClient);
    EXPECT_EQ(child->geometry(), QRect(2, 2, 116, 56));
    QImage img = kitGrab(pnl);
    kitSavePicture(img, "panel_single_lowered");
    EXPECT_EQ(kitPixel(img, 0, 30), ColorToRGB(clBtnShadow));
    EXPECT_EQ(kitPixel(img, 119, 30), ColorToRGB(clBtnHighlight));

    int before = pnl->RecreateCount();
    pnl->Bevel()->SetMode(bmWindows);
    EXPECT_GT(pnl->RecreateCount(), before);
    EXPECT_EQ(pnl->Bevel()->Extent, 0);
    EXPECT_EQ(pnl->ClientRect(), TRect(0, 0, 116, 56)); // client edge of 2 pixels
    EXPECT_EQ(child->geometry(), QRect(2, 2, 116, 56));
    pnl->SetCtl3D(false);
    EXPECT_EQ(pnl->ClientRect(), TRect(0, 0, 118, 58)); // plain one-pixel border
    kitSavePicture(kitGrab(pnl), "panel_windows_border");
    pnl->Bevel()->SetMode(bmCustom);
    EXPECT_EQ(pnl->ClientRect(), TRect(0, 0, 120, 60));
}

TEST(KitPanel, ConstructionValuesAndHoverState)
{
    TKitSimplePanel p;
    EXPECT_EQ(p.width(), 100);
    EXPECT_EQ(p.height(), 40);
    EXPECT_EQ(p.Color(), clBtnFace);
    EXPECT_FALSE(p.TabStop());
    EXPECT_FALSE(p.Transparent());
    EXPECT_FALSE(p.Flat());
    EXPECT_TRUE(p.RepaintOnChange);
    EXPECT_EQ(p.Bevel()->Mode(), bmCustom);
    EXPECT_EQ(p.Bevel()->StandardStyle(), lsSingleLowered);
    EXPECT_TRUE(p.Bevel()->WindowsBorder);
    QStringList log;
    p.OnMouseEnter = [&](QObject *) { log << "enter"; };
    p.OnMouseExit = [&](QObject *) { log << "exit"; };
    p.MouseEnter();
    EXPECT_TRUE(p.MouseInside());
    p.MouseExit();
    EXPECT_FALSE(p.MouseInside());
    EXPECT_EQ(log, QStringList({"enter", "exit"}));
    p.SetImageIndex(-1);
    EXPECT_EQ(p.ImageIndex(), 0);
    p.SetImageIndex(2);
    EXPECT_EQ(p.ImageIndex(), 2);
    EXPECT_TRUE(p.NoImage());
}

TEST(KitPanel, FlatPanelShowsItsFrameOnlyWhileHovered)
{
    QWidget form;
    auto *pnl = new TKitSimplePanel(&form);
    pnl->setGeometry(0, 0, 60, 40);
    pnl->SetColor(0xFFFFFF);
    pnl->Bevel()->SetBorderColor(0x0000FF);
    pnl->Bevel()->SetStyleOuter(bvRaised);
    pnl->Bevel()->SetShadowColor(0x000000);
    pnl->SetFlat(true);
    QImage flat = kitGrab(pnl);
    EXPECT_EQ(kitPixel(flat, 59, 20), 0xFFFFFFu);
    pnl->MouseEnter();
    QImage hot = kitGrab(pnl);
    EXPECT_EQ(kitPixel(hot, 59, 20), 0x000000u);
}

#include "controls/panels/DDButton.h"
#include <QTableWidget>

TEST(KitScreenComposition, ToolBarListAndButtonBarAsTheFormsDockThem)
{
    QWidget form;
    form.resize(420, 260);
    auto *pnl_top = new TKitSimplePanel(&form);
    pnl_top->setObjectName("pnl_top");
    pnl_top->SetHeight(41);
    pnl_top->SetAlign(alTop);
    pnl_top->SetColor(0xCFBCA9);
    pnl_top->Bevel()->SetBorderWidth(5);
    pnl_top->Bevel()->SetBorderColor(clScrollBar);
    pnl_top->Bevel()->SetStyleInner(bvLowered);
    auto *btn_search = new TDDButton(pnl_top);
    btn_search->setObjectName("btn_search");
    btn_search->SetFormLook();
    btn_search->SetCaption(QStringLiteral("조 회"));
    btn_search->setGeometry(330, 8, 75, 25);
    auto *pnl_bottom = new TKitSimplePanel(&form);
    pnl_bottom->SetHeight(30);
    pnl_bottom->SetAlign(alBottom);
    pnl_bottom->Bevel()->SetMode(bmStandard);
    pnl_bottom->Bevel()->SetStandardStyle(lsSingleRaised);
    auto *grd_list = new QTableWidget(5, 3, &form);
    SetAlign(grd_list, alClient);
    EXPECT_EQ(pnl_top->geometry(), QRect(0, 0, 420, 41));
    EXPECT_EQ(pnl_bottom->geometry(), QRect(0, 230, 420, 30));
    EXPECT_EQ(grd_list->geometry(), QRect(0, 41, 420, 189));
    EXPECT_EQ(form.findChild<TDDButton *>("btn_search"), btn_search);
    QImage img = kitGrab(&form);
    kitSavePicture(img, "screen_composition");
    EXPECT_EQ(kitPixel(img, 2, 20), ColorToRGB(clScrollBar)); // border band of the tool bar
    EXPECT_EQ(kitPixel(img, 100, 20), 0xCFBCA9u);           // its face
    EXPECT_EQ(kitPixel(img, 330, 8), 0u);                    // the button's black outline
    EXPECT_EQ(kitPixel(img, 0, 230), ColorToRGB(clBtnHighlight)); // raised button bar
}

TEST(KitPanel, PointerEnteringAndLeavingSetsMouseInside)
{
    QWidget form;
    form.resize(200, 100);
    auto *pnl = new TKitSimplePanel(&form);
    pnl->setGeometry(10, 10, 80, 50);
    int enters = 0, exits = 0;
    pnl->OnMouseEnter = [&](QObject *) { ++enters; };
    pnl->OnMouseExit = [&](QObject *) { ++exits; };
    QCursor::setPos(5000, 5000); // no pointer left over the panel by an earlier test
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseMove(&form, QPoint(150, 80));
    QTest::mouseMove(pnl, QPoint(40, 25));
    EXPECT_TRUE(QTest::qWaitFor([&] { return pnl->MouseInside(); }, 1000));
    QTest::mouseMove(&form, QPoint(150, 80));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !pnl->MouseInside(); }, 1000));
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(exits, 1);
}
