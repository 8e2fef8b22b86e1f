#pragma once

#include <QDialog>
#include <memory>

namespace Ui { class TfrmAbout; }

// "O aplikaci": the program's and the database's versions.
class TfrmAbout : public QDialog
{
    Q_OBJECT

public:
    TfrmAbout(const QString& versionLabel, const QString& schemaVersion, QWidget* parent = nullptr);
    ~TfrmAbout() override;

private:
    std::unique_ptr<Ui::TfrmAbout> ui;
};
