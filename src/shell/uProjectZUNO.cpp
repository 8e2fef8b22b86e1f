#include "shell/uProjectZUNO.h"

#include "reports/uPrint.h"

#include "core/uClock.h"
#include "core/uDialogs.h"
#include "core/uLog.h"
#include "core/uSystem.h"
#include "db/uDB_FB.h"
#include "dbmaint/fUpgrade.h"

TProjectZUNO* App()
{
    return dynamic_cast<TProjectZUNO*>(Project());
}

QDate CombineDayMonthYear(const QDate& dayMonth, int year)
{
    const int day = std::min(dayMonth.day(), QDate(year, dayMonth.month(), 1).daysInMonth());
    return QDate(year, dayMonth.month(), day);
}

TProjectZUNO::TProjectZUNO()
    : QObject(nullptr)
    , TProjectDB(QStringLiteral("ZUNO"), true, true, QString(), QStringLiteral("oddil"), QString())
    , Settings(std::make_unique<TColl>())
{
    SchemaVersion = {6, 0}; // the schema this program works with
    SetPrintHandler([this](QWidget* owner, TReportDataList dataSets, const QString& reportName) {
        return PrintReport(owner, std::move(dataSets), {}, reportName);
    });
}

TProjectZUNO::~TProjectZUNO()
{
    SetPrintHandler({});
}

bool TProjectZUNO::CheckVersion(bool upgradable)
{
    return ::CheckVersion(this, upgradable) == mrOK;
}

void TProjectZUNO::Restore(const QString& file, bool silent, bool checkVersion)
{
    TProjectDB::Restore(file, silent, checkVersion);
    LoadSettings(true);
}

void TProjectZUNO::LoadSettings(bool atStart)
{
    auto fresh = std::make_unique<TColl>();
    fresh->Load();
    Settings = std::move(fresh);

    auto currentYear = [](const QString& procedure) {
        auto q = xProcOpen(procedure, true);
        return q->Fetch() ? q->GetValue(QStringLiteral("Rok")) : Null;
    };
    RokPD = currentYear(QStringLiteral("PD_ROK_AKTUALNI"));
    RokPU = currentYear(QStringLiteral("PU_ROK_AKTUALNI"));

    Q_EMIT SettingsLoaded();

    if (atStart) {
        Q_EMIT WindowStateWanted(Settings->Is(QStringLiteral("APP_WindowState"), 1));
        if (Settings->Is(QStringLiteral("PU_AktDatum_Start"), 1)) {
            const int today = DayNumber(Clock::today());
            Settings->SetValue(QStringLiteral("PU_AktDatum"), today);
            xProcCall(QStringLiteral("od_nastaveni_upd"), {QStringLiteral("PU_AktDatum"), today});
        }
    }

    // First run: a module switched on without a year. A cancelled year window
    // ends the program only at start; later the module stays on and the year
    // can be created whenever the user wishes.
    auto firstRun = [this, atStart](bool on, const QVariant& year, const QString& text, const std::function<bool()>& window) {
        if (!on || !VarIsNull(year))
            return;
        ShowInfo(text);
        if (window && !window() && atStart)
            Q_EMIT QuitRequested();
    };
    firstRun(ModuleJU(), RokPD, QStringLiteral("V daňové evidenci není založen rok. Pravděpodobně spouštíte aplikaci poprvé."),
             NewYearJU);
    firstRun(ModulePU(), RokPU, QStringLiteral("V účetnictví není založen rok. Pravděpodobně spouštíte aplikaci poprvé."),
             NewYearPU);
}

void TProjectZUNO::SaveSettings()
{
    Settings->Save();
}

QString TProjectZUNO::VersionLabel() const
{
    const QString note = Settings->Text(QStringLiteral("DB_VerzeDovetek"));
    return note.isEmpty() ? VersionText() : VersionText() + QLatin1Char(' ') + note;
}

QDate TProjectZUNO::BookkeepingDate() const
{
    const QDate stored = DayNumberToDate(Settings->Int(QStringLiteral("PU_AktDatum")));
    const int year = VarIsNull(RokPU) ? Clock::today().year() : RokPU.toInt();
    return CombineDayMonthYear(stored, year);
}

int TProjectZUNO::ReportYear() const
{
    if (ModulePU() && !VarIsNull(RokPU))
        return RokPU.toInt();
    if (ModuleJU() && !ModulePU() && !VarIsNull(RokPD))
        return RokPD.toInt();
    return Clock::today().year();
}

QDate TProjectZUNO::ReportDate() const
{
    if (ModulePU())
        return BookkeepingDate();
    return Clock::today();
}

void TProjectZUNO::AutoBackupPrompt()
{
    const QString interval = Settings->Text(QStringLiteral("DB_ZalohaInterval")).trimmed();
    if (interval == QLatin1String("0"))
        return;
    const int last = Settings->Int(QStringLiteral("DB_ZalohaDatum"));
    const int days = DayNumber(Clock::today()) - last;
    if (days < Settings->Int(QStringLiteral("DB_ZalohaInterval")))
        return;
    const QString lastText = last == 0 ? QStringLiteral("nikdy") : DateToText(DayNumberToDate(last));
    if (!Confirm(QStringLiteral("Chcete automaticky zazálohovat data ? \r\n\r\nDatum poslední zálohy: ") + lastText
                 + QStringLiteral("\r\nInterval automatického zálohování: ") + interval + QStringLiteral(" dnů\r\n")))
        return;
    if (!Backup(QString(), QString(), true))
        return; // the failure has been shown; the date stays
    WriteLog(QStringLiteral("Automatická záloha."), LogLevel::Info);
    const int today = DayNumber(Clock::today());
    Settings->SetValue(QStringLiteral("DB_ZalohaDatum"), today);
    xProcCall(QStringLiteral("od_nastaveni_upd"), {QStringLiteral("DB_ZalohaDatum"), today});
}

TfrmFormDB* TProjectZUNO::ReportWindow()
{
    if (!m_reportWindow)
        m_reportWindow = std::make_unique<TfrmFormDB>();
    return m_reportWindow.get();
}

void TProjectZUNO::SetReportVariables(TReportEngine& engine) const
{
    auto quoted = [](const QString& text) { return QLatin1Char('\'') + QString(text).replace(QStringLiteral("'"), QStringLiteral("''")) + QLatin1Char('\''); };
    engine.SetVariable(QStringLiteral("DatumTisk"), quoted(DateToText(ReportDate())));
    engine.SetVariable(QStringLiteral("DATADIR"), quoted(DataDir));
    engine.SetVariable(QStringLiteral("ROK"), quoted(QString::number(ReportYear())));
}

int TProjectZUNO::PrintReport(QWidget* owner, TReportDataList dataSets, TReportVariablesCallback callback,
                              const QString& reportName, TReportDataPtr tableA, TReportDataPtr tableB)
{
    dataSets.push_back(xReportDataSet(QStringLiteral("dsOficiality"), xProcText(QStringLiteral("OD_Oficiality_ALL"), {}, {}, true)));
    const QString group = reportName.isEmpty() && owner ? owner->objectName() : reportName;
    if (!callback)
        callback = [this](TReportEngine& engine, TReportDataList&, const QDate&, const QDate&) { SetReportVariables(engine); };
    return ReportWindow()->ShowForGroup(group, std::move(dataSets), std::move(callback), std::move(tableA), std::move(tableB));
}
