#include "shell/uMail.h"

#include "core/uProject.h"
#include "core/uRegistry.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

std::function<int(const TMailMessage&, QString*)>& sender()
{
    static std::function<int(const TMailMessage&, QString*)> s;
    return s;
}

QString describe(int code)
{
    switch (code) {
    case 1: return QStringLiteral("Chybné parametry e-mailu.");
    case 2: return QStringLiteral("Příloha neexistuje.");
    case 3: return QStringLiteral("Nenalezen žádný e-mailový program.");
    case 4: return QStringLiteral("E-mailový program zprávu nepřevzal.");
    case 5: return QStringLiteral("Nedostatečná oprávnění.");
    default: return QStringLiteral("Neznámá chyba (%1).").arg(code);
    }
}

} // namespace

void SetMailSender(std::function<int(const TMailMessage&, QString*)> s)
{
    sender() = std::move(s);
}

int SendMail(const TMailMessage& message, QString* error)
{
    if (sender())
        return sender()(message, error);
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (tool.isEmpty()) {
        if (error)
            *error = describe(3);
        return 3;
    }
    QStringList args = {QStringLiteral("--utf8"), QStringLiteral("--subject"), message.subject, QStringLiteral("--body"), message.body};
    for (const QString& file : message.attachments)
        args << QStringLiteral("--attach") << file;
    args << message.to;
    const int code = QProcess::execute(tool, args);
    if (code != 0 && error)
        *error = describe(code < 0 ? 4 : code);
    return code < 0 ? 4 : code;
}

QString SupportAddress()
{
    const QString key = Project() ? Project()->RegKey : QStringLiteral("Software\\Talbreck\\ZUNO");
    return RegReadString(key, QStringLiteral("podpora"), QStringLiteral("podpora@zuno.example.org"));
}
