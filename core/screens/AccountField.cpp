#include "core/screens/AccountField.h"

#include "core/TextUtils.h"
#include "platform/Prompt.h"

#include <QLineEdit>

bool FormatAccountField(QLineEdit *field, const QString &bankId)
{
    const QString account = DelChar(field->text(), QLatin1Char('-'));
    if (account.trimmed().isEmpty())
        return true;
    if (CheckAcctNo(bankId, account)) {
        field->setText(FormatAcctNo(bankId, account));
        return true;
    }
    qvx::Prompt::instance().message(
        QStringLiteral("해당은행에 대한 계좌번호가 적절하지 않습니다. 확인하시기 바랍니다."));
    return false;
}
