#pragma once
// The free-text SMS ("SMS 자유문장 보내기"): the 80-byte message (CP949
// bytes, never half a character), the symbol palette, the 12-digit recipient
// number and the SMS_Trans request rows.

#include "core/RequestRows.h"

#include <QString>
#include <QStringList>
#include <optional>

constexpr int SmsMessageBytes = 80;

// The longest start of the text that fits the message (a character that
// would not fit whole is left out).
QString LimitSmsMessage(const QString &text);

// The 76 symbols of the palette, row by row (8 rows of 10; the last four
// cells stay empty).
const QStringList &SmsSymbols();

// A symbol inserted at the caret (a character index): the new text and the
// caret after the symbol. Nothing while the text is 79 bytes or longer, so a
// symbol never takes the message past 80 bytes.
struct SmsEdit
{
    QString text;
    int caret = 0;
};
std::optional<SmsEdit> InsertSmsSymbol(const QString &text, int caret, const QString &symbol);

// A recipient: name and the three parts of the number as entered.
struct SmsRecipient
{
    QString name;
    QString telNo1;
    QString telNo2;
    QString telNo3;

    // Each part 1 to 4 digits (blanks around it ignored).
    bool valid() const;
    // The parts right-aligned in 4 characters with leading zeros, joined: 12 digits.
    QString number() const;
    // prefix + "-" + middle + "-" + last, as the lists show it.
    QString displayNumber() const;
};

// The SMS_Trans row of one recipient (SeqNo and TranSeqNo set by the
// sender): the reply number without '-', the message as typed.
SmsTransRow SmsRequestRow(const RequestHeader &header, const SmsRecipient &to, const QString &replyNo,
                          const QString &message);
