#pragma once

#include <QObject>

namespace Ui { class TfrmClen; }
class QAction;
class QWidget;

// The parents' page of the member window: the list of the person's parents
// or guardians with their fields and the actions "Nový", "Uložit" and
// "Smazat". Changes stay in memory until the person is saved. The window
// owns it and frees it before its controls.
class TClenRodice : public QObject
{
    Q_OBJECT

public:
    TClenRodice(Ui::TfrmClen* form, QWidget* owner);

    // Fills the kinds and reads the person's parents (none for 0).
    void Load(int memberId);
    // Empties the fields and shows the parents again.
    void Refill();
    // Stores every change for the person: new, changed and removed parents.
    void Save(int memberId);

private:
    void reset();
    void selected();
    void novy();
    void ulozit();
    void smazat();

    Ui::TfrmClen* ui;
    QWidget* m_owner;
    QAction* m_actRodicUlozit = nullptr;
    QAction* m_actRodicNovy = nullptr;
    QAction* m_actRodicSmazat = nullptr;
    int m_id = 0;
};
