#pragma once

#include "reports/uReportEngine.h"
#include "ui/SForm.h"

#include <QTimer>
#include <memory>

namespace Ui {
class TfrmReportDesigner;
}

// The template designer: the template's source with its syntax coloured,
// the data sets with their columns and the variables at the side (a double
// click writes the name at the cursor), and a live preview of the source
// over the same data. "&Uložit" writes the template file of the report.
class TfrmReportDesigner : public TSForm
{
    Q_OBJECT

public:
    // The report's engine gives the template, its file, the data sets
    // (already read) and the variables; it gets the saved template back.
    TfrmReportDesigner(TReportEngine& report, QWidget* parent = nullptr);
    ~TfrmReportDesigner() override;

    QString Source() const;
    void SetSource(const QString& text);
    // Inserts the name of a tree item at the cursor.
    void InsertName(const QString& name);
    // Prepares the preview from the source at once; the error text, or empty.
    QString UpdatePreview();
    // Writes the source into the template file; false (and the error shown) when it cannot.
    bool Save();
    bool Saved() const { return m_saved; }

private:
    std::unique_ptr<Ui::TfrmReportDesigner> ui;
    TReportEngine& m_report;
    TReportEngine m_preview;
    QTimer m_timer;
    bool m_saved = false;
};

// Opens the designer modally on the report's template; true when it was saved.
bool OpenReportDesigner(QWidget* parent, TReportEngine& report);
