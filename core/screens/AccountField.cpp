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
    qvx::Prompt::instance().message(AccountRefusedMessage);
    return false;
}
