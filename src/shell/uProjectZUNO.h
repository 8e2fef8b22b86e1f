#pragma once

#include "db/uColl.h"
#include "db/uProjectDB.h"
#include "reports/fFormDB.h"

#include <QDate>
#include <QObject>
#include <QVariant>
#include <functional>
#include <memory>

// The application object of ZUNO: the database application with its
// run-time state — the current years of the tax records (RokPD) and of the
// bookkeeping (RokPU), Null while none exists, and the settings collection.
// Every module reaches it through App().
class TProjectZUNO : public QObject, public TProjectDB
{
    Q_OBJECT

public:
    // Connects to the database "oddil" in the data folder (or the server named
    // in the registry). Throws as TProjectDB does.
    TProjectZUNO();
    ~TProjectZUNO() override;

    bool CheckVersion(bool upgradable) override;
    void Restore(const QString& file, bool silent, bool checkVersion) override;

    // Reloads the settings and the current years and switches the modules.
    // At start it also sets the window state and the bookkeeping date, and a
    // cancelled first-run year window ends the program.
    void LoadSettings(bool atStart);
    void SaveSettings();

    // When the program closes: offers a backup once the interval since the
    // last automatic backup has passed, and records the date of a successful one.
    void AutoBackupPrompt();

    // The program version, with the database's version note when it has one.
    QString VersionLabel() const;
    // The bookkeeping date: day and month of PU_AktDatum in the year RokPU.
    QDate BookkeepingDate() const;
    // The year and date reports are made for, by the modules switched on.
    int ReportYear() const;
    QDate ReportDate() const;

    bool ModuleJU() const { return Settings->Is(QStringLiteral("JU"), 1); }
    bool ModulePU() const { return Settings->Is(QStringLiteral("PU"), 1); }
    bool ModuleCE() const { return Settings->Is(QStringLiteral("CE"), 1); }

    // The new-year windows of the tax records and the bookkeeping, set by
    // those modules; true when a year was created.
    std::function<bool()> NewYearJU;
    std::function<bool()> NewYearPU;

    QVariant RokPU;
    QVariant RokPD;
    std::unique_ptr<TColl> Settings;

    // Prints through the report window: appends the organisation's data set
    // "dsOficiality" to the data sets and opens the window on the group
    // (by default the owner window's name) with the variables callback (by
    // default SetReportVariables). The window owns the data sets and the two
    // tables from here on. Returns the window's modal result; in the dialogs'
    // test mode the window is only prepared (ReportWindow()).
    int PrintReport(QWidget* owner, TReportDataList dataSets, TReportVariablesCallback callback = {},
                    const QString& reportName = {}, TReportDataPtr tableA = {}, TReportDataPtr tableB = {});
    // The default variables: DatumTisk (the report date), DATADIR and ROK (the report year), as texts.
    void SetReportVariables(TReportEngine& engine) const;
    // The one report window, made when it is first needed.
    TfrmFormDB* ReportWindow();

private:
    std::unique_ptr<TfrmFormDB> m_reportWindow;

Q_SIGNALS:
    // After every LoadSettings: windows switch their menus, tabs and buttons.
    void SettingsLoaded();
    // LoadSettings at start asks for the main window's state (maximised or not).
    void WindowStateWanted(bool maximised);
    // A cancelled first-run year window: the program ends.
    void QuitRequested();
};

// The application object, or null before it exists.
TProjectZUNO* App();

// A stored day and month with another year; 29 February in a year without
// it becomes 28 February.
QDate CombineDayMonthYear(const QDate& dayMonth, int year);
