#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmChybaHlaseni; }

// The error report: a description from the user, facts about the program
// and the computer, and the prepared attachments (screenshot, packed log, a
// backup of the data) handed to the desktop's mail program.
class TfrmChybaHlaseni : public QDialog
{
    Q_OBJECT

public:
    // errorText and screenshot may be empty.
    TfrmChybaHlaseni(const QString& errorText, const QString& screenshot, QWidget* parent = nullptr);
    ~TfrmChybaHlaseni() override;

    // Creates the private work folder and prepares the attachments and the
    // report text. Raises TTalbreckException when the folder or the log
    // cannot be prepared.
    void Prepare();
    // The report text, also saved as "e-mail.txt" in the work folder.
    QString BuildText();
    // Hands the report to the mail program; true when it took it.
    bool Send();
    void ShowFiles();
    QString WorkFolder() const { return m_workFolder; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::TfrmChybaHlaseni> ui;
    QString m_errorText;
    QString m_screenshot;
    QString m_workFolder;
};

// Opens the error report window; returns its modal result.
int ShowErrorReport(const QString& errorText, const QString& screenshot);
