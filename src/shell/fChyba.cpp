#include "shell/fChyba.h"
#include "ui_fChyba.h"

#include "core/uDialogs.h"
#include "core/uProject.h"
#include "core/uSystem.h"
#include "shell/fChybaHlaseni.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

TfrmChyba::TfrmChyba(const QString& text, QWidget* parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TfrmChyba>())
    , m_text(text)
{
    ui->setupUi(this);
    ui->memChyba->setPlainText(text);
    connect(ui->cmdNahlasitChybu, &QPushButton::clicked, this, &TfrmChyba::report);
    if (Project())
        Project()->ApplyLocale(this);
}

TfrmChyba::~TfrmChyba() = default;

void TfrmChyba::Present(const QString& text)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (Dialogs::testMode()) {
        // Tests read what the user would have been shown from the dialogs seam.
        MessageDlg(text, TMsgKind::Error);
        return;
    }
    TfrmChyba window(text, QApplication::activeWindow());
    window.exec();
}

void TfrmChyba::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && Project()) {
        Project()->ShowHelp(QStringLiteral("chyba.htm"));
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmChyba::report()
{
    // The screenshot shows this window with its error.
    const QString shot = TakeScreenshot();
    ShowErrorReport(m_text, shot);
}
