#include "core/uProject.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLocalize.h"
#include "core/uLog.h"
#include "core/uRegistry.h"
#include "core/uSystem.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

namespace {
TProject* g_project = nullptr;
}

TProject* Project()
{
    return g_project;
}

TProject::TProject(const QString& appName, bool logging)
    : AppName(appName)
    , RegKey(QStringLiteral("Software\\Talbreck\\") + appName)
    , Logging(logging)
{
    RegisterMoneyMetaType();

    // The data folder: "data" beside the program wins over the registry.
    const QString besideProgram = ExeDir() + QStringLiteral("data");
    if (QFileInfo(besideProgram).isDir())
        DataDir = besideProgram + QLatin1Char('/');
    else
        DataDir = RegReadString(RegKey, QStringLiteral("DataDir"), besideProgram + QLatin1Char('/'));
    if (!DataDir.endsWith(QLatin1Char('/')))
        DataDir += QLatin1Char('/');
    if (!QFileInfo(DataDir).isDir())
        throw TTalbreckException(QStringLiteral("Aplikace nemůže najít adresář \"") + DataDir + QStringLiteral("\"."));

    if (Logging) {
        OpenLog(DataDir + AppName + QStringLiteral(".log"));
        SetLevel(LogLevel::Debug, RegReadBool(RegKey, QStringLiteral("debug"), false));
    }
    WriteLog(QStringLiteral("Registry: ") + RegKey, LogLevel::Debug);
    WriteLog(QStringLiteral("Data: ") + DataDir, LogLevel::Debug);

    SetHelpFile(ExeDir() + QStringLiteral("help/"));

    const QString lang = Language();
    WriteLog(QStringLiteral("Lang: ") + lang, LogLevel::Debug);
    const QString localeFile = DataDir + QStringLiteral("locale/") + lang + QStringLiteral(".xml");
    if (QFileInfo::exists(localeFile)) {
        WriteLog(QStringLiteral("Locale: ") + localeFile, LogLevel::Debug);
        QFile f(localeFile);
        auto doc = std::make_unique<QDomDocument>();
        if (f.open(QIODevice::ReadOnly) && doc->setContent(&f))
            Locale = std::move(doc);
        else
            WriteLog(QStringLiteral("Locale file cannot be read: ") + localeFile, LogLevel::Warn);
    }
    if (lang == QLatin1String("cz")) {
        TMsgCaptions c;
        c.yes = QStringLiteral("&Ano");
        c.no = QStringLiteral("&Ne");
        c.all = QStringLiteral("&Vše");
        c.cancel = QStringLiteral("&Storno");
        c.ok = QStringLiteral("OK");
        c.warning = QStringLiteral("Varování");
        c.error = QStringLiteral("Chyba");
        c.information = QStringLiteral("Informace");
        c.confirmation = QStringLiteral("Potvrzení");
        SetMsgCaptions(c);
    }
    g_project = this;
}

TProject::~TProject()
{
    if (g_project == this)
        g_project = nullptr;
    if (Logging)
        CloseLog();
}

void TProject::ShowHelp(const QString& topic) const
{
    if (!QFileInfo(HelpFile).isDir())
        return;
    const QString page = HelpFile + (topic.isEmpty() ? QStringLiteral("index.html") : topic);
    QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

void TProject::ApplyLocale(QWidget* window) const
{
    if (Locale)
        ApplyLocaleDocument(*Locale, window);
}

QString TProject::Language() const
{
    return RegReadString(RegKey, QStringLiteral("language"), QStringLiteral("cz"));
}

void TProject::SetHelpFile(const QString& path)
{
    HelpFile = path;
    WriteLog(QStringLiteral("HelpFile: ") + path, LogLevel::Debug);
}
