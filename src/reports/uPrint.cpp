#include "reports/uPrint.h"

namespace {
TPrintHandler& handler()
{
    static TPrintHandler h;
    return h;
}
} // namespace

void SetPrintHandler(TPrintHandler h)
{
    handler() = std::move(h);
}

int PrintFromWindow(QWidget* owner, TReportDataList dataSets, const QString& reportName)
{
    if (!handler())
        return 0;
    return handler()(owner, std::move(dataSets), reportName);
}
