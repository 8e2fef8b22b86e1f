#include "shell/fChybaHlaseni.h"
#include "ui_fChybaHlaseni.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uLog.h"
#include "core/uSystem.h"
#include "db/uBackupFile.h"
#include "db/uDB_FB.h"
#include "shell/uMail.h"
#include "shell/uProjectZUNO.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QSysInfo>
#include <QUrl>

namespace {

// One value of a "name : value" line of a file under /proc.
QString procValue(const QString& file, const QString& name)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0 && line.left(colon).trimmed() == name)
            return line.mid(colon + 1).trimmed();
    }
    return QString();
}

QString megabytes(const QString& kilobytesText)
{
    const qint64 kb = kilobytesText.split(QLatin1Char(' ')).value(0).toLongLong();
    return QString::number((kb + 512) / 1024);
}

} // namespace

TfrmChybaHlaseni::TfrmChybaHlaseni(const QString& errorText, const QString& screenshot, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmChybaHlaseni>())
    , m_errorText(errorText)
    , m_screenshot(screenshot)
{
    ui->setupUi(this);
    ui->mmoMail->hide();
    const bool haveShot = !screenshot.isEmpty();
    ui->chkScreenShot->setChecked(haveShot);
    ui->chkScreenShot->setEnabled(haveShot);
    ui->chkLog->setChecked(true);
    ui->chkDB->setChecked(true);
    ui->mmoPopis->setPlainText(QStringLiteral("Zde doplňte dodatečné informace o chybě (nejlépe postup, jak\nchybu vyvolat)"));
    connect(ui->cmdOdeslat, &QPushButton::clicked, this, [this] {
        if (Send())
            accept();
    });
    connect(ui->cmdSoubory, &QPushButton::clicked, this, &TfrmChybaHlaseni::ShowFiles);
    connect(ui->lblScreenShot, &QLabel::linkActivated, this, [](const QString& link) { ShellOpen(link); });
    if (Project())
        Project()->ApplyLocale(this);
}

TfrmChybaHlaseni::~TfrmChybaHlaseni() = default;

void TfrmChybaHlaseni::Prepare()
{
    m_workFolder = QDir::tempPath() + QLatin1Char('/') + Clock::now().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    // The folder holds a copy of the club's data: only its owner may read it.
    if (!QDir().mkdir(m_workFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        throw TTalbreckException(QStringLiteral("Adresář \"") + m_workFolder + QStringLiteral("\" nelze založit."));

    if (ui->chkScreenShot->isChecked()) {
        const QString copy = m_workFolder + QStringLiteral("/screenshot.png");
        QFile::copy(m_screenshot, copy);
        ui->lblScreenShot->setText(QStringLiteral("<a href=\"%1\">screenshot.png</a>").arg(QUrl::fromLocalFile(copy).toString()));
        ui->lblScreenShot->setToolTip(copy);
    }
    TProjectZUNO* app = App();
    if (ui->chkLog->isChecked() && app) {
        const QString log = app->DataDir + app->AppName + QStringLiteral(".log");
        if (QFile::exists(log))
            BackupFile::Write(m_workFolder + QStringLiteral("/log.zlib"), log, QFileInfo(log).fileName());
    }
    if (ui->chkDB->isChecked() && app)
        app->Backup(m_workFolder, QStringLiteral("chyba.sbk"), true);
    BuildText();
}

QString TfrmChybaHlaseni::BuildText()
{
    TProjectZUNO* app = App();
    QString name;
    QString number;
    try {
        auto q = xProcOpen(QStringLiteral("OD_Oficiality_ALL"), true);
        if (q->Fetch()) {
            name = q->GetText(QStringLiteral("Nazev"));
            number = q->GetText(QStringLiteral("Evidencni_Cislo"));
        }
    } catch (const TTalbreckException&) {
        // A report must be possible even when the organisation cannot be read.
    }
    QStringList lines;
    lines << QStringLiteral("Datum: ") + DateToText(Clock::today()) << QString() << QStringLiteral("Organizace: ") + name
          << QStringLiteral("Evidenční číslo: ") + number << QStringLiteral("Verze: ") + VersionText()
          << QStringLiteral("Verze DB: ") + (app ? VersionToText(app->SchemaVersion) : QString())
          << QStringLiteral("Instalace: ") + ExeDir() << QStringLiteral("DataDir: ") + (app ? app->DataDir : QString()) << QString()
          << QStringLiteral("Popis:") << ui->mmoPopis->toPlainText() << QString()
          << QStringLiteral("OS: ") + QSysInfo::prettyProductName()
          << QStringLiteral("Service Pack: ") + QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion()
          << QStringLiteral("CPU: ") + procValue(QStringLiteral("/proc/cpuinfo"), QStringLiteral("model name")) + QStringLiteral(" (")
                 + procValue(QStringLiteral("/proc/cpuinfo"), QStringLiteral("vendor_id")) + QLatin1Char(')')
          << QStringLiteral("Frekvence: ")
                 + QString::number(qRound(procValue(QStringLiteral("/proc/cpuinfo"), QStringLiteral("cpu MHz")).toDouble()))
                 + QStringLiteral(" MHz")
          << QStringLiteral("Paměť: ") + megabytes(procValue(QStringLiteral("/proc/meminfo"), QStringLiteral("MemTotal")))
                 + QStringLiteral(" MB")
          << QStringLiteral("Swap: ") + megabytes(procValue(QStringLiteral("/proc/meminfo"), QStringLiteral("SwapTotal")))
                 + QStringLiteral(" MB")
          << QString();
    if (!m_errorText.isEmpty())
        lines << QStringLiteral("Chyba:") << m_errorText << QString();
    const QString text = lines.join(QLatin1Char('\n'));
    ui->mmoMail->setPlainText(text);
    if (!m_workFolder.isEmpty()) {
        QFile f(m_workFolder + QStringLiteral("/e-mail.txt"));
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(text.toUtf8());
    }
    return text;
}

bool TfrmChybaHlaseni::Send()
{
    TMailMessage mail;
    mail.to = SupportAddress();
    mail.subject = QStringLiteral("ZUNO - Hlášení o chybě");
    mail.body = BuildText();
    if (ui->chkScreenShot->isChecked() && !m_screenshot.isEmpty())
        mail.attachments << m_screenshot;
    if (ui->chkLog->isChecked() && QFile::exists(m_workFolder + QStringLiteral("/log.zlib")))
        mail.attachments << m_workFolder + QStringLiteral("/log.zlib");
    if (ui->chkDB->isChecked() && QFile::exists(m_workFolder + QStringLiteral("/chyba.sbk")))
        mail.attachments << m_workFolder + QStringLiteral("/chyba.sbk");
    QString error;
    if (SendMail(mail, &error) == 0)
        return true;
    ShowError(QStringLiteral("Nelze odeslat e-mail. Pravděpodobně nemáte správně nastaveného e-mailového klienta.\r\n\r\nPopis chyby: \r\n")
              + error + QStringLiteral("\r\n\r\nPřipravené soubory najdete ve složce ") + m_workFolder + QStringLiteral(" ."));
    // The user can send the prepared files by hand.
    ShowFiles();
    return false;
}

void TfrmChybaHlaseni::ShowFiles()
{
    BuildText();
    ShellOpen(QUrl::fromLocalFile(m_workFolder).toString());
}

void TfrmChybaHlaseni::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && Project()) {
        Project()->ShowHelp(QStringLiteral("chybahlaseni.htm"));
        return;
    }
    QDialog::keyPressEvent(event);
}

int ShowErrorReport(const QString& errorText, const QString& screenshot)
{
    TfrmChybaHlaseni window(errorText, screenshot, QApplication::activeWindow());
    window.Prepare();
    if (Dialogs::testMode())
        return QDialog::Rejected;
    return window.exec();
}
