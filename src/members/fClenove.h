#pragma once

#include "ui/SFormList.h"

#include <functional>
#include <memory>

namespace Ui { class TfrmClenoveFiltr; }

// "Seznam členů": people of the register found by text, category, event,
// age and membership, opened in the member window, deleted and printed.
class TfrmClenove : public TSFormList
{
    Q_OBJECT

public:
    explicit TfrmClenove(QWidget* parent = nullptr);
    ~TfrmClenove() override;

    // Refreshes the filter choices and the caption of the user column, then searches.
    void Open();

    // Opens a person in the member window (0 = new); the member window sets
    // it. Returns the modal result, `id` the person saved.
    static std::function<int(QWidget* parent, qint64& id)> MemberWindow;

protected:
    QString SearchSQL() override;
    void DefaultFilter() override;
    int OpenDetail(qint64& id) override;
    void DeleteRecord(qint64 id) override;
    void Tisk() override;
    QString DeleteQuestion(const QString& caption) const override;

private:
    std::unique_ptr<Ui::TfrmClenoveFiltr> ui;
};
