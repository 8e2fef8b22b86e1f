#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Hands an e-mail to the desktop's mail program, which shows it to the user
// before sending.
struct TMailMessage
{
    QString to;
    QString subject;
    QString body;
    QStringList attachments;
};

// 0 when the mail program took the message; otherwise a non-zero code with
// its description in `error`.
int SendMail(const TMailMessage& message, QString* error);
// Tests catch the message; an empty sender restores the desktop's mail program.
void SetMailSender(std::function<int(const TMailMessage&, QString*)> sender);

// Where error reports go: the registry value "podpora", or the default.
QString SupportAddress();
