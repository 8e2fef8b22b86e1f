#pragma once

#include "ui/SForm.h"

#include <QSet>
#include <QStringList>

#include <functional>

#include <memory>

namespace Ui { class TfrmImportExcel; }

// "Import z Excelu": reads the rows of a workbook's sheet "Import" into a
// list for checking, then stores each row as a new person of the register.
// Every row is checked before anything of it is stored and is stored in one
// database call; when a row fails, the rows stored before it leave the list,
// and reading the corrected workbook again leaves out the rows this window
// has stored already, so nobody is stored twice.
class TfrmImportExcel : public TSForm
{
    Q_OBJECT

public:
    explicit TfrmImportExcel(QWidget* parent = nullptr);
    ~TfrmImportExcel() override;

    // Asks for the workbook and reads its rows into the list.
    void ImportFile();
    // Reads the rows of a workbook into the list (the list is emptied first),
    // without the rows this window has stored already. False when the file
    // could not be read whole; what was read stays.
    bool ReadFile(const QString& fileName);
    // Stores the rows of the list; closes with OK when all are stored.
    // False after a failure, which is logged and shown.
    bool Transfer();

    const QList<QStringList>& Rows() const { return m_rows; }

    // How the main window opens the import: modally, mrOK after every row
    // was stored. Tests put their own in its place.
    static std::function<int(QWidget* parent)> Opener;

private:
    void showRows();
    void failed(const QString& text);

    std::unique_ptr<Ui::TfrmImportExcel> ui;
    QList<QStringList> m_rows;
    QSet<QStringList> m_stored; // the rows stored by this window
};
