#pragma once

#include "reports/uReportData.h"

#include <QString>
#include <functional>

class QWidget;

// Printing from a module window. The application object installs the
// handler at start (it adds the organisation's data set and the standard
// variables and opens the report window); module windows print through
// PrintFromWindow without depending on the application object.
using TPrintHandler = std::function<int(QWidget* owner, TReportDataList dataSets, const QString& reportName)>;

void SetPrintHandler(TPrintHandler handler);
// Hands the data sets to the report window for the group `reportName`
// (empty: the owner window's name). Returns the window's modal result; 0
// when no handler is installed.
int PrintFromWindow(QWidget* owner, TReportDataList dataSets, const QString& reportName = {});
