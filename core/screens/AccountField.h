#pragma once
// The counterpart account field of the entry screens: leaving it checks the
// account for the chosen bank.

#include <QString>

class QLineEdit;

// A valid account for the bank is hyphenated for it; otherwise the account
// message is shown and the text stays as typed. An empty field is no account
// to check. True when the account fits (or the field is empty).
bool FormatAccountField(QLineEdit *field, const QString &bankId);
