#include "shell/fAbout.h"
#include "ui_fAbout.h"

#include "resources/Images.h"

TfrmAbout::TfrmAbout(const QString& versionLabel, const QString& schemaVersion, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmAbout>())
{
    ui->setupUi(this);
    ui->imgLogo->setPixmap(AppIcon().pixmap(64, 64));
    ui->lblVerze->setText(QStringLiteral("verze: ") + versionLabel);
    ui->lblDatabaze->setText(QStringLiteral("databáze: ") + schemaVersion);
}

TfrmAbout::~TfrmAbout() = default;
