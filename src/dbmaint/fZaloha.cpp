#include "dbmaint/fZaloha.h"
#include "ui_fZaloha.h"

#include "core/uDialogs.h"
#include "core/uException.h"
#include "core/uRegistry.h"
#include "db/uProjectDB.h"
#include "resources/Images.h"
#include "ui/fInputBox.h"

#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QMenu>
#include <QProgressDialog>
#include <QStandardPaths>

namespace {

const QString kExtension = QStringLiteral(".sbk");

QString withoutSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

} // namespace

TfrmZaloha::TfrmZaloha(TProjectDB* app, QWidget* parent)
    : TSForm(parent)
    , ui(std::make_unique<Ui::TfrmZaloha>())
    , m_app(app)
    , m_folders(new QFileSystemModel(this))
{
    ui->setupUi(this);
    ui->STitle1->SetCaption(QStringLiteral("Záloha a obnova dat"));
    SetHelpFile(QStringLiteral("na_zalohadat"));
    ui->cmdZaloha->setIcon(ToolIcon(QStringLiteral("backup")));
    ui->cmdObnova->setIcon(ToolIcon(QStringLiteral("restore")));
    ui->cmdSmazat->setIcon(ToolIcon(QStringLiteral("delete")));

    m_folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    m_folders->setRootPath(QDir::rootPath());
    ui->trvDirectory->setModel(m_folders);
    for (int c = 1; c < m_folders->columnCount(); ++c)
        ui->trvDirectory->hideColumn(c);
    ui->splZaloha->setSizes({320, 420});

    connect(ui->trvDirectory->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { refill(); });
    connect(ui->lstZaloha, &QListWidget::itemSelectionChanged, this, [this] {
        const bool chosen = !selectedName().isEmpty();
        ui->cmdObnova->setEnabled(chosen);
        ui->cmdSmazat->setEnabled(chosen);
    });
    connect(ui->lstZaloha, &QListWidget::itemDoubleClicked, this, [this] { RestoreSelected(); });
    connect(ui->lstZaloha, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QListWidgetItem* item = ui->lstZaloha->itemAt(pos))
            ui->lstZaloha->setCurrentItem(item);
        if (selectedName().isEmpty())
            return;
        QMenu menu(this);
        menu.addAction(ui->mnuObnovit);
        menu.addAction(ui->mnuSmazat);
        menu.addAction(ui->mnuPrejmenovat);
        menu.exec(ui->lstZaloha->viewport()->mapToGlobal(pos));
    });

    connect(ui->cmdZaloha, &QPushButton::clicked, this, &TfrmZaloha::MakeBackup);
    connect(ui->cmdObnova, &QPushButton::clicked, this, &TfrmZaloha::RestoreSelected);
    connect(ui->mnuObnovit, &QAction::triggered, this, &TfrmZaloha::RestoreSelected);
    connect(ui->cmdSmazat, &QPushButton::clicked, this, &TfrmZaloha::DeleteSelected);
    connect(ui->mnuSmazat, &QAction::triggered, this, &TfrmZaloha::DeleteSelected);
    connect(ui->mnuPrejmenovat, &QAction::triggered, this, &TfrmZaloha::RenameSelected);
    connect(ui->cmdMakeDir, &QPushButton::clicked, this, &TfrmZaloha::MakeFolder);
    connect(ui->cmdAdresar, &QPushButton::clicked, this, &TfrmZaloha::SetDefaultFolder);
    connect(ui->cmdZavrit, &QPushButton::clicked, this, &QDialog::reject);

    // The Delete key on the list deletes the backup.
    auto* del = new QAction(this);
    del->setShortcut(QKeySequence::Delete);
    del->setShortcutContext(Qt::WidgetShortcut);
    ui->lstZaloha->addAction(del);
    connect(del, &QAction::triggered, this, &TfrmZaloha::DeleteSelected);

    const QString folder = withoutSlash(m_app->DefaultBackupFolder());
    QDir().mkpath(folder);
    ui->lblAdresar->setText(folder);
    if (!SelectFolder(folder))
        SelectFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    refill();
}

TfrmZaloha::~TfrmZaloha() = default;

QString TfrmZaloha::SelectedFolder() const
{
    return withoutSlash(m_folders->filePath(ui->trvDirectory->currentIndex()));
}

bool TfrmZaloha::SelectFolder(const QString& folder)
{
    const QModelIndex index = m_folders->index(folder);
    if (!index.isValid() || !QFileInfo(folder).isDir())
        return false;
    ui->trvDirectory->setCurrentIndex(index);
    ui->trvDirectory->scrollTo(index);
    ui->trvDirectory->expand(index);
    refill();
    return true;
}

QStringList TfrmZaloha::Backups() const
{
    QStringList names;
    for (int i = 0; i < ui->lstZaloha->count(); ++i)
        names << ui->lstZaloha->item(i)->text();
    return names;
}

bool TfrmZaloha::SelectBackup(const QString& name)
{
    const auto found = ui->lstZaloha->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    ui->lstZaloha->setCurrentItem(found.constFirst());
    return true;
}

QString TfrmZaloha::selectedName() const
{
    const QListWidgetItem* item = ui->lstZaloha->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void TfrmZaloha::refill()
{
    ui->lstZaloha->clear();
    const QString folder = SelectedFolder();
    if (!folder.isEmpty()) {
        QDir dir(folder);
        // Exactly ".sbk": other spellings are not the program's backups.
        QStringList names;
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
            if (name.endsWith(kExtension, Qt::CaseSensitive))
                names << name;
        ui->lstZaloha->addItems(names);
    }
    ui->cmdObnova->setEnabled(false);
    ui->cmdSmazat->setEnabled(false);
}

void TfrmZaloha::MakeBackup()
{
    const auto name = xInputBox(this, QStringLiteral("Záloha"), QStringLiteral("Zadejte jméno zálohy:"), TProjectDB::BackupStamp());
    if (!name)
        return;
    QProgressDialog progress(QStringLiteral("Zálohuji data ..."), QString(), 0, 100, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    m_app->Backup(SelectedFolder(), *name + kExtension, false, [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? static_cast<int>(done * 100 / total) : 100);
    });
    refill();
    SelectBackup(*name + kExtension);
}

void TfrmZaloha::RestoreSelected()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    // Overwriting the club's data always asks first, whichever way the restore was chosen.
    if (!Confirm(QStringLiteral("Chcete obnovit data ze zálohy: \"") + name + QStringLiteral("\" ?")))
        return;
    QProgressDialog progress(QStringLiteral("Obnovuji data ze zálohy ..."), QString(), 0, 100, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    m_app->RestoreProgress = [&progress](qint64 done, qint64 total) {
        progress.setValue(total > 0 ? static_cast<int>(done * 100 / total) : 100);
    };
    try {
        m_app->Restore(SelectedFolder() + QLatin1Char('/') + name, false, true);
    } catch (...) {
        m_app->RestoreProgress = nullptr;
        throw;
    }
    m_app->RestoreProgress = nullptr;
    done(mrOK);
}

void TfrmZaloha::DeleteSelected()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    if (!Confirm(QStringLiteral("Opravdu chcete smazat zálohu \"") + name + QStringLiteral("\" ?")))
        return;
    const QString path = SelectedFolder() + QLatin1Char('/') + name;
    if (QFile::exists(path) && name.endsWith(kExtension, Qt::CaseSensitive))
        QFile::remove(path);
    refill();
}

void TfrmZaloha::RenameSelected()
{
    const QString name = selectedName();
    if (name.isEmpty())
        return;
    const auto newName = xInputBox(this, QStringLiteral("Přejmenování"), QStringLiteral("Zadejte nové jméno:"), name.chopped(4));
    if (!newName)
        return;
    // A new name is a file name, never a path.
    if (!newName->contains(QLatin1Char('/')))
        QFile::rename(SelectedFolder() + QLatin1Char('/') + name, SelectedFolder() + QLatin1Char('/') + *newName + kExtension);
    refill();
    SelectBackup(*newName + kExtension);
}

void TfrmZaloha::MakeFolder()
{
    const auto name = xInputBox(this, QStringLiteral("Vytvořit adresář"), QStringLiteral("Zadejte jméno nové složky:"));
    if (!name)
        return;
    const QString path = SelectedFolder() + QLatin1Char('/') + *name;
    if (name->contains(QLatin1Char('/')) || !QDir().mkdir(path)) {
        ShowError(QStringLiteral("Adresář \"") + path + QStringLiteral("\" nelze založit."));
        return;
    }
    SelectFolder(path);
}

void TfrmZaloha::SetDefaultFolder()
{
    const QString folder = SelectedFolder();
    RegWrite(m_app->RegKey, QStringLiteral("bk_adresar"), folder);
    ui->lblAdresar->setText(folder);
}

int ShowBackupWindow(TProjectDB* app, QWidget* parent)
{
    TfrmZaloha window(app, parent);
    if (Dialogs::testMode())
        return mrCancel;
    return window.ShowModal();
}
