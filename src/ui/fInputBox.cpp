#include "ui/fInputBox.h"
#include "ui_fInputBox.h"

#include "core/uDialogs.h"

TfrmInputBox::TfrmInputBox(QWidget* parent)
    : TSForm(parent)
    , ui(std::make_unique<Ui::TfrmInputBox>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("frmInputBox"));
    connect(ui->txtValue, &QLineEdit::textChanged, this, &TfrmInputBox::updateSave);
    connect(ui->cmdUlozit, &QPushButton::clicked, this, [this] {
        if (!Text().isEmpty())
            done(mrOK);
    });
    connect(ui->cmdZavrit, &QPushButton::clicked, this, &TfrmInputBox::reject);
    updateSave();
}

TfrmInputBox::~TfrmInputBox() = default;

void TfrmInputBox::Prepare(const QString& caption, const QString& label, const QString& text)
{
    setWindowTitle(caption);
    ui->lblTitle->SetCaption(caption);
    ui->lblValue->setText(label + QLatin1Char(':'));
    ui->tabValue->setTabText(0, label);
    ui->txtValue->setText(text);
    ui->txtValue->selectAll();
    ui->txtValue->setFocus();
    updateSave();
}

QString TfrmInputBox::Text() const
{
    return ui->txtValue->text().trimmed();
}

void TfrmInputBox::updateSave()
{
    ui->cmdUlozit->setEnabled(!Text().isEmpty());
}

void TfrmInputBox::reject()
{
    done(mrCancel);
}

std::optional<QString> xInputBox(QWidget* parent, const QString& caption, const QString& label, const QString& text)
{
    std::optional<QString> answer;
    if (Dialogs::testMode()) {
        answer = TextInputDialog(parent, caption, label, text);
    } else {
        TfrmInputBox box(parent);
        box.Prepare(caption, label, text);
        if (box.ShowModal() == mrOK)
            answer = box.Text();
    }
    if (!answer || answer->trimmed().isEmpty())
        return std::nullopt;
    return answer->trimmed();
}
