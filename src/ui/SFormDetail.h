#pragma once

#include "ui/SForm.h"

// The base of the modal windows that edit one record. OpenDetail(id) opens
// the record (0 = a new one): FillPickers, then LoadData or ClearData, then
// the window is shown modally and the result returned: mrOK after a
// successful save, mrCancel otherwise. A button named "cmdUlozit" saves and
// closes, "cmdZavrit" or "cmdStorno" cancels. Ctrl+Page Down and Ctrl+Page Up
// turn every tab page of the window.
class TSFormDetail : public TSForm
{
    Q_OBJECT

public:
    explicit TSFormDetail(QWidget* parent = nullptr);

    // The record shown; 0 while it is new. SaveData sets it for a new record.
    int ID = 0;

    int OpenDetail(int id);

    // Called by print commands before the report data are made: a stored
    // record is saved again; a new one is saved after the user agrees.
    // False when nothing may be printed.
    bool PrepareForPrint();

    // Saves and, when that succeeded, closes the window with mrOK.
    void Ulozit();
    // Closes the window with mrCancel (also Esc and the close box).
    void reject() override;

protected:
    // Fills the controls from the database for ID.
    virtual void LoadData() = 0;
    // Checks the inputs and stores the record; false leaves the window open.
    virtual bool SaveData() = 0;
    // Fills the window's pickers before a record is loaded or cleared.
    virtual void FillPickers() {}
    // Sets the controls to the defaults of a new record.
    virtual void ClearData() {}

    void Created() override;

private:
    void turnPages(int key);
};
