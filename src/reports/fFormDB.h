#pragma once

#include "reports/fFormTemplate.h"
#include "reports/uReportData.h"

#include <QDate>
#include <functional>

class QAction;
namespace Ui {
class TfrmFormDB;
}

// Sets the report variables (and may rebuild the data sets) before every
// run, with the year and date of the filter panel.
using TReportVariablesCallback =
    std::function<void(TReportEngine& engine, TReportDataList& dataSets, const QDate& year, const QDate& date)>;

// Opens a template designer on the engine's template file; true when the
// template was saved. The report window prepares the report again after it.
using TReportDesignerOpener = std::function<bool(QWidget* parent, TReportEngine& engine)>;

// The report window: the reports registered for a group, their record, and
// the preview of the chosen one. It owns the data sets it is given and frees
// them when it closes; the window itself lives as long as the program.
class TfrmFormDB : public TfrmFormTemplate
{
    Q_OBJECT

public:
    explicit TfrmFormDB(QWidget* parent = nullptr);
    ~TfrmFormDB() override;

    // Shows the window modally for a group; returns the modal result. In the
    // dialogs' test mode the window is only prepared (Prepare) and stays so
    // until Finish: nothing modal blocks a test.
    int ShowForGroup(const QString& group, TReportDataList dataSets, TReportVariablesCallback callback,
                     TReportDataPtr tableA = {}, TReportDataPtr tableB = {});
    // Takes the data sets (the two tables become the last two), sets the
    // title, fills the list and runs its first report.
    void Prepare(const QString& group, TReportDataList dataSets, TReportVariablesCallback callback,
                 TReportDataPtr tableA = {}, TReportDataPtr tableB = {});
    // Frees the data sets and the callback, hides the filter panel.
    void Finish();

    QString Group() const { return m_group; }
    const TReportDataList& DataSets() const { return m_dataSets; }
    bool HasCallback() const { return bool(m_callback); }
    qint64 SelectedReport() const;
    bool SelectReport(qint64 id);
    // The filter panel: the caller shows it and sets the year and date.
    void SetFilter(bool visible, const QDate& year = {}, const QDate& date = {});

    // The window's commands.
    void NewReport();
    void ChooseFile();
    void SaveReport();
    void DeleteReport();
    void CopyReport();
    void DesignReport();
    // Fills the list of the group's reports and selects the first.
    void FillList();
    // Loads the selected report's record and template and runs it.
    void LoadSelected();
    // Runs the loaded template again with fresh variables and data.
    void RunReport();

    // What "Ná&vrh" opens instead of the template designer (tests).
    static void SetDesignerOpener(TReportDesignerOpener opener);

private:
    QString reportDir() const;
    // Chooses a template file for "&Nová" and "..."; the file name without a folder, empty when cancelled.
    QString chooseTemplateFile();
    void loadTemplate(const QString& fileName);
    void setSystem(bool system);

    std::unique_ptr<Ui::TfrmFormDB> ui;
    QString m_group;
    TReportDataList m_dataSets;
    TReportVariablesCallback m_callback;
    QAction* m_actNova;
    QAction* m_actSmazat;
    QAction* m_actKopie;
    bool m_system = false;
    bool m_loading = false;
};
