#pragma once

#include "ui/SFormDetail.h"

#include <memory>

namespace Ui { class TfrmClen; }
class TClenRodice;

// The member window: one person of the register with the birth number,
// membership, addresses, contacts, user properties, parents, note, events
// and photo. Parents' changes stay in memory until the person is saved.
class TfrmClen : public TSFormDetail
{
    Q_OBJECT

public:
    explicit TfrmClen(QWidget* parent = nullptr);
    ~TfrmClen() override;

    // Opens the person (0 = a new one) modally: mrOK after a save.
    int ShowDetail(int id);
    // Fills the window for the person without showing it (what ShowDetail
    // does before the window appears).
    void Prepare(int id);

    // The photo file name that a save stores (empty: no photo).
    QString Fotka() const { return m_fotka; }
    // Takes a chosen picture into the photo folder and shows it.
    void SetPhoto(const QString& path);
    void Tisk();

protected:
    void FillPickers() override;
    void LoadData() override;
    bool SaveData() override;
    void ClearData() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applySettings();
    void showPhoto();
    void updateHeader();
    void birthNumberModCheck();
    void birthNumberLeft();
    void membershipRules();
    void permanentAddressRule();
    void loadEvents();


    std::unique_ptr<Ui::TfrmClen> ui;
    std::unique_ptr<TClenRodice> m_rodice; // after ui: gone before the controls it uses
    QVariant m_idHodn;
    QString m_fotka;
};

// Opens the person (0 = a new one) in a member window of its own: the
// opener the member list, the dashboard and the calendar are given.
// Returns the modal result; after a save `id` is the stored person's ID.
int ShowClen(QWidget* parent, qint64& id);
