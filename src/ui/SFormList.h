#pragma once

#include "ui/SForm.h"

#include <memory>

class QAction;
class QLabel;
class QStatusBar;
class TSFormDetail;
class TSListViewDB;
class TSTitle;
namespace Ui { class TSFormList; }

// The frame of the list windows: the header strip, a filter panel that the
// window fills with its own controls, the actions "Nový" (Ctrl+N), "Detail"
// (Enter, double click), "Smazat" (Delete), "Tisk" (Ctrl+P) and "Vyhledat"
// (F5, with "Výchozí filtr" in its menu), the list and the status bar
// "Počet zobrazených <CountKind>: N". A list window supplies the search text
// and what is its own: the detail window, the delete procedure, printing.
class TSFormList : public TSForm
{
    Q_OBJECT

public:
    explicit TSFormList(QWidget* parent = nullptr);
    ~TSFormList() override;

    TSTitle* Title() const;
    QWidget* FilterPanel() const;
    TSListViewDB* List() const;
    QStatusBar* StatusBar() const;

    QAction* actNovy;
    QAction* actDetail;
    QAction* actSmazat;
    QAction* actTisk;
    QAction* actVyhledat;
    QAction* actVychoziFiltr;

    // "osob" in "Počet zobrazených osob: 12"; "člena" in "Opravdu chcete smazat člena: …".
    QString CountKind;
    QString DeleteKind;

    // Runs the search: the window's SearchSQL into the list, the count into the status bar.
    void Vyhledat();
    // Resets the filters (DefaultFilter), then searches.
    void VychoziFiltr();
    // Opens the selected record (0 for a new one) and, after OK, searches
    // again and selects the record.
    void Detail(qint64 id);
    // Asks, deletes the selected record and searches again. A warning of the
    // database is shown; other errors go on to the error window.
    void Smazat();

protected:
    // The select of the list procedure with the filter values (xProcText).
    virtual QString SearchSQL() = 0;
    // Sets the filter controls to their defaults.
    virtual void DefaultFilter() {}
    // The detail window that OpenDetail uses; null: "Nový" and "Detail" do nothing.
    virtual TSFormDetail* DetailForm() { return nullptr; }
    // Opens a record (0 = new) and returns the modal result; `id` becomes the
    // ID of the record saved. The base opens DetailForm.
    virtual int OpenDetail(qint64& id);
    // Deletes a record in the database (its _DEL procedure).
    virtual void DeleteRecord(qint64 id) { Q_UNUSED(id) }
    // "Opravdu chcete smazat " + DeleteKind + ": " + caption + " ?"
    virtual QString DeleteQuestion(const QString& caption) const;
    // Prints the rows shown (List()->CurrentSQL holds their select).
    virtual void Tisk() {}
    // A row became selected: the base enables "Detail" and "Smazat".
    virtual void RowSelected(int row);
    void ShowCount();

private:
    std::unique_ptr<Ui::TSFormList> ui;
};
