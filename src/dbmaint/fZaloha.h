#pragma once

#include "ui/SForm.h"

#include <memory>

class QFileSystemModel;
class TProjectDB;
namespace Ui { class TfrmZaloha; }

// "Záloha dat": a folder tree and the backups (".sbk") in the chosen folder;
// makes, restores, renames and deletes backups and sets the default folder.
class TfrmZaloha : public TSForm
{
    Q_OBJECT

public:
    explicit TfrmZaloha(TProjectDB* app, QWidget* parent = nullptr);
    ~TfrmZaloha() override;

    // The folder selected in the tree, without a trailing slash.
    QString SelectedFolder() const;
    bool SelectFolder(const QString& folder);
    // The backup names in the selected folder, sorted.
    QStringList Backups() const;
    bool SelectBackup(const QString& name);

    // The commands of the buttons and the context menu.
    void MakeBackup();
    // Restores the selected backup after the user confirms; closes with OK.
    void RestoreSelected();
    void DeleteSelected();
    void RenameSelected();
    void MakeFolder();
    void SetDefaultFolder();

private:
    void refill();
    QString selectedName() const;

    std::unique_ptr<Ui::TfrmZaloha> ui;
    TProjectDB* m_app;
    QFileSystemModel* m_folders;
};

// Opens the backup window; mrOK after a restore.
int ShowBackupWindow(TProjectDB* app, QWidget* parent = nullptr);
