#pragma once

#include "ui/SForm.h"

#include <memory>

namespace Ui { class TfrmUndelete; }

// "Obnovení": the deleted entries of one code-list table (Aktivni = 0), of
// which the chosen one becomes active again.
class TfrmUndelete : public TSForm
{
    Q_OBJECT

public:
    explicit TfrmUndelete(QWidget* parent = nullptr);
    ~TfrmUndelete() override;

    // Lists the deleted entries of the table. The name must be a plain
    // identifier; anything else raises TTalbreckException.
    void Open(const QString& table);
    // Makes the selected entry active and closes with OK; without a
    // selection tells the user so.
    void RestoreSelected();

private:
    std::unique_ptr<Ui::TfrmUndelete> ui;
    QString m_table;
};

// Opens the window for the table; mrOK after an entry was restored.
int ShowUndelete(const QString& table, QWidget* parent = nullptr);
