// The payee master driven through the menu: search, add (also refused as a
// duplicate), change, delete and print, against the demo server.
#include "TransferScreenTest.h"

#include "core/screens/ListGrid.h"
#include "core/TextUtils.h"
#include "transfers/screens/DaesangUnit.h"

#include <QLineEdit>

using namespace transfertest;

namespace {

class PayeeMaster : public ::testing::Test
{
protected:
    void SetUp() override
    {
        registerTransferScreens();
        ASSERT_TRUE(client.start(QStringLiteral("MAKER"), QStringLiteral("1111")));
        main = client.mainWindow();
        ShowActive(main);
        ASSERT_TRUE(TriggerMenuItem(main, QStringLiteral("qv_a3")));
        screen = qobject_cast<Tqv_Daesang_frm *>(FindScreen(main, QStringLiteral("qv_Daesang_frm")));
        ASSERT_NE(screen, nullptr);
    }

    int stored(const QString &where)
    {
        return client.server()
            .query(QStringLiteral("select count(*) as n from daesang where ") + where)
            .valueInt(0, QStringLiteral("n"));
    }

    int rowOf(const QString &name)
    {
        for (int r = 1; r < screen->grd_daesang->RowCount(); ++r)
            if (screen->grd_daesang->Cells(Tqv_Daesang_frm::colName, r) == name)
                return r;
        return -1;
    }

    ClientFixture client;
    Tqv_frm *main = nullptr;
    Tqv_Daesang_frm *screen = nullptr;
};

} // namespace

TEST_F(PayeeMaster, ListsAndSearchesByNameAndAccount)
{
    SavePicture(screen, "qv_Daesang_frm");
    ExpectButtonsBound(screen);
    EXPECT_EQ(screen->grd_daesang->RowCount(), 7);
    const int r = rowOf(QStringLiteral("홍길동"));
    ASSERT_GT(r, 0);
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colBankName, r), QStringLiteral("우리은행"));
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colBankNo, r),
              FormatAcctNo(QStringLiteral("20"), QStringLiteral("1002345678901")));
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colResidentNo, r), QStringLiteral("800101"));
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colPhone, r), QStringLiteral("010-1234-5678"));
    EXPECT_FALSE(screen->pnl_regdaesang->isVisible());

    TypeText(screen->edt_searchname, QStringLiteral("상"));
    ClickControl(screen->btn_search);
    EXPECT_EQ(screen->grd_daesang->RowCount(), 3);
    TypeText(screen->edt_searchname, QString());
    TypeText(screen->edt_searchbankno, QStringLiteral("110-987"));
    ClickControl(screen->btn_search);
    EXPECT_EQ(screen->grd_daesang->RowCount(), 2);
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colName, 1), QStringLiteral("서울주류"));
    // A quote in the search word is only a character.
    TypeText(screen->edt_searchbankno, QString());
    TypeText(screen->edt_searchname, QStringLiteral("x' or '1'='1"));
    ClickControl(screen->btn_search);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당 조건에 대한 자료가 존재하지 않습니다."));
    EXPECT_TRUE(GridIsEmpty(screen->grd_daesang, Tqv_Daesang_frm::colName));
}

TEST_F(PayeeMaster, AddsAPayeeAndRefusesTheSamePairWithOrWithoutHyphens)
{
    ClickControl(screen->btn_add);
    EXPECT_EQ(screen->PayeeEditMode, 1);
    EXPECT_TRUE(screen->pnl_regdaesang->isVisible());
    Pick(screen->cmb_allbank, ItemWith(screen->cmb_allbank, QStringLiteral("[04]")));
    TypeText(screen->edt_transbankno, QStringLiteral("123456-78-901234"));
    TypeText(screen->edt_transname, QStringLiteral("new'co"));
    TypeText(screen->edt_residentno, QStringLiteral("1234567890"));
    Pick(screen->cb_TelNo1, 0);
    TypeText(screen->ed_TelNo2, QStringLiteral("1111"));
    TypeText(screen->ed_TelNo3, QStringLiteral("2222"));
    SavePicture(screen, "qv_Daesang_frm_adding");
    ClickControl(screen->btn_save);
    EXPECT_EQ(stored(QStringLiteral("name = 'NEW''CO' and bankno = '12345678901234' and bankid = '04' and "
                                    "residentno = '1234567890' and TelNo_1 = '010' and TelNo_2 = '1111'")),
              1);
    EXPECT_GT(rowOf(QStringLiteral("NEW'CO")), 0);
    EXPECT_EQ(screen->PayeeEditMode, 0);
    EXPECT_FALSE(screen->pnl_regdaesang->isVisible());

    // The same pair again, typed once without and once with hyphens.
    for (const char *account : {"12345678901234", "1234-5678-901234"}) {
        ClickControl(screen->btn_add);
        Pick(screen->cmb_allbank, ItemWith(screen->cmb_allbank, QStringLiteral("[04]")));
        TypeText(screen->edt_transbankno, QString::fromLatin1(account));
        TypeText(screen->edt_transname, QStringLiteral("NEW'CO"));
        ClickControl(screen->btn_save);
        EXPECT_EQ(client.prompt().lastText(), QStringLiteral("등록된 계좌 번호 및 이름입니다.")) << account;
        EXPECT_EQ(screen->PayeeEditMode, 1);
        ClickControl(screen->btn_cancel);
    }
    EXPECT_EQ(stored(QStringLiteral("name = 'NEW''CO'")), 1);

    ClickControl(screen->btn_add);
    TypeText(screen->edt_transbankno, QString());
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("거래처 계좌를 입력하시기 바랍니다."));
}

TEST_F(PayeeMaster, ChangeAndDeleteAreKeyedOnTheStoredAccount)
{
    // A payee stored with hyphens in its account: the shown account differs.
    client.server().exec(QStringLiteral("insert into daesang (name, bankno, bankid, TelNo_1, TelNo_2, TelNo_3, residentno) "
                                        "values ('하이픈상사', '110-111-222333', '88', '011', '9999', '8888', '1112233333')"));
    ClickControl(screen->btn_search);
    int r = rowOf(QStringLiteral("하이픈상사"));
    ASSERT_GT(r, 0);
    ClickGridCell(screen->grd_daesang, 1, r);
    ClickControl(screen->btn_modify);
    EXPECT_EQ(screen->PayeeEditMode, 2);
    EXPECT_EQ(screen->ed_TelNo2->text(), QStringLiteral("9999"));
    TypeText(screen->edt_transname, QStringLiteral("바뀐상사"));
    Pick(screen->cmb_allbank, ItemWith(screen->cmb_allbank, QStringLiteral("[21]")));
    EXPECT_EQ(screen->PayeeEditMode, 2);
    client.prompt().clear();
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().entries().first().text,
              QStringLiteral("거 래 처 계좌 : ") + screen->grd_daesang->Cells(Tqv_Daesang_frm::colBankNo, r)
                  + QStringLiteral("\r거 래 처   명 : 바뀐상사\r실명번호 : 111-22-33333\r\r수정 하시겠습니까?"));
    EXPECT_EQ(stored(QStringLiteral("name = '바뀐상사' and bankno = '110111222333' and bankid = '21' and "
                                    "TelNo_2 = '9999' and residentno = '1112233333'")),
              1);
    EXPECT_EQ(stored(QStringLiteral("name = '하이픈상사'")), 0);
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colName, r), QStringLiteral("바뀐상사"));
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colBankId, r), QStringLiteral("21"));
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colBankName, r), QStringLiteral("조흥은행"));

    // A payee changed behind the screen's back: the change reports failure.
    r = rowOf(QStringLiteral("김철수"));
    client.server().exec(QStringLiteral("update daesang set name = '다른이름' where name = '김철수'"));
    ClickGridCell(screen->grd_daesang, 1, r);
    ClickControl(screen->btn_modify);
    client.prompt().clear();
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되지 않았습니다."));
    ClickControl(screen->btn_cancel);
    client.prompt().clear();
    ClickControl(screen->btn_delete);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("정상적으로 처리되지 않았습니다."));
    EXPECT_GT(rowOf(QStringLiteral("김철수")), 0);

    // Delete removes the row and renumbers.
    const int before = screen->grd_daesang->RowCount();
    r = rowOf(QStringLiteral("바뀐상사"));
    ClickGridCell(screen->grd_daesang, 1, r);
    client.prompt().clear();
    ClickControl(screen->btn_delete);
    EXPECT_EQ(client.prompt().texts(), QStringList({QStringLiteral("선택하신 거래처를 삭제하시겠습니까?"),
                                                    QStringLiteral("정상적으로 처리되었습니다.")}));
    EXPECT_EQ(stored(QStringLiteral("name = '바뀐상사'")), 0);
    EXPECT_EQ(screen->grd_daesang->RowCount(), before - 1);
    for (int i = 1; i < screen->grd_daesang->RowCount(); ++i)
        EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colNo, i), QString::number(i));
}

TEST_F(PayeeMaster, PrintsTheListAndRefusesAnEmptyOne)
{
    const QVector<qvx::Report::Page> pages = screen->Report1.layout();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(pages[0].detailCount(), 33);
    OnNextModal([](QDialog *preview) {
        SavePicture(preview, "qv_Daesang_frm_preview");
        preview->reject();
    });
    ClickControl(screen->btn_preview);

    TypeText(screen->edt_searchname, QStringLiteral("없는이름"));
    ClickControl(screen->btn_search);
    ClickControl(screen->btn_print);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("출력할 자료가 존재하지 않습니다."));
}

TEST_F(PayeeMaster, ANameTakesTwelveBytesAtEntry)
{
    // Ten syllables are twenty bytes: the field stops after six, so the name
    // saved fits every record a transfer made from it is written to.
    ClickControl(screen->btn_add);
    Pick(screen->cmb_allbank, ItemWith(screen->cmb_allbank, QStringLiteral("[04]")));
    TypeText(screen->edt_transbankno, QStringLiteral("123456789012345"));
    TypeText(screen->edt_transname, QStringLiteral("가나다라마바사아자차"));
    EXPECT_EQ(screen->edt_transname->text(), QStringLiteral("가나다라마바"));
    TypeText(screen->edt_transname, QStringLiteral("ABCDEFGHIJKLMN"));
    EXPECT_EQ(screen->edt_transname->text(), QStringLiteral("ABCDEFGHIJKL"));
    TypeText(screen->edt_transname, QStringLiteral("한빛ABCDEFGH"));
    EXPECT_EQ(screen->edt_transname->text(), QStringLiteral("한빛ABCDEFGH"));
    ClickControl(screen->btn_save);
    EXPECT_EQ(stored(QStringLiteral("name = '한빛ABCDEFGH'")), 1);
}

// 수 정 on one payee, a click on another, 저 장: the change goes into the
// payee that was opened, and the list shows both as stored.
TEST_F(PayeeMaster, AChangeGoesIntoThePayeeItOpenedWhereverTheCursorWent)
{
    const int opened = rowOf(QStringLiteral("홍길동"));
    ASSERT_GT(opened, 0);
    const int other = opened == 1 ? 2 : 1;
    const QString otherName = screen->grd_daesang->Cells(Tqv_Daesang_frm::colName, other);
    const QString otherAccount = screen->grd_daesang->Cells(Tqv_Daesang_frm::colBankNo, other);
    ClickGridCell(screen->grd_daesang, 1, opened);
    ClickControl(screen->btn_modify);
    TypeText(screen->ed_TelNo3, QStringLiteral("4321"));
    ClickGridCell(screen->grd_daesang, 1, other);
    ASSERT_EQ(screen->grd_daesang->Row(), other);
    client.prompt().clear();
    client.prompt().enqueueAnswer(true);
    ClickControl(screen->btn_save);
    EXPECT_FALSE(client.prompt().contains(QStringLiteral("정상적으로 처리되지 않았습니다.")));
    EXPECT_EQ(stored(QStringLiteral("name = '홍길동' and bankno = '1002345678901' and TelNo_3 = '4321'")), 1);
    EXPECT_EQ(stored(QStringLiteral("name = '%1' and TelNo_3 = '4321'").arg(otherName)), 0);
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colName, opened), QStringLiteral("홍길동"));
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colTel3, opened), QStringLiteral("4321"));
    EXPECT_TRUE(screen->grd_daesang->Cells(Tqv_Daesang_frm::colPhone, opened).endsWith(QStringLiteral("-4321")));
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colName, other), otherName);
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colBankNo, other), otherAccount);
    EXPECT_EQ(screen->grd_daesang->Cells(Tqv_Daesang_frm::colNo, opened), QString::number(opened));
}

// An account of letters is refused on save, adding or changing.
TEST_F(PayeeMaster, AnAccountOfLettersIsRefused)
{
    const int before = stored(QStringLiteral("1 = 1"));
    ClickControl(screen->btn_add);
    TypeText(screen->edt_transbankno, QStringLiteral("일이삼사오육칠팔구"));
    TypeText(screen->edt_transname, QStringLiteral("글자계좌"));
    client.prompt().clear();
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다."));
    EXPECT_EQ(stored(QStringLiteral("1 = 1")), before);
    EXPECT_EQ(screen->PayeeEditMode, 1);
    ClickControl(screen->btn_cancel);

    const int r = rowOf(QStringLiteral("홍길동"));
    ASSERT_GT(r, 0);
    ClickGridCell(screen->grd_daesang, 1, r);
    ClickControl(screen->btn_modify);
    TypeText(screen->edt_transbankno, QStringLiteral("1002-34A-5678901"));
    client.prompt().clear();
    ClickControl(screen->btn_save);
    EXPECT_EQ(client.prompt().lastText(), QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다."));
    EXPECT_EQ(stored(QStringLiteral("name = '홍길동' and bankno = '1002345678901'")), 1);
    EXPECT_EQ(screen->PayeeEditMode, 2);
}
